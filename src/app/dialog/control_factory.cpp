// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/control_factory.h"

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

#include "app/dialog/dialog_units.h"
#include "app/look/art.h"
#include "app/widgets/template_widgets.h"

namespace {

bool has(const ControlTemplate& control, std::uint32_t style) {
    return (control.style & style) != 0;
}

QString textOf(const ControlTemplate& control) {
    return QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
}

QWidget* createEdit(const ControlTemplate& control, QWidget* parent) {
    using namespace ControlStyle;
    if (has(control, Multiline)) {
        auto* area = new TextArea(parent);
        area->setFrameShape(has(control, Border) ? QFrame::StyledPanel : QFrame::NoFrame);
        area->setVerticalScrollBarPolicy(has(control, VScroll) ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
        const bool scrollsSideways = has(control, HScroll) || has(control, AutoHScroll);
        area->setLineWrapMode(scrollsSideways ? QPlainTextEdit::NoWrap
                                              : QPlainTextEdit::WidgetWidth);
        area->setHorizontalScrollBarPolicy(has(control, HScroll) ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
        area->setReadOnly(has(control, ReadOnly));
        return area;
    }
    auto* edit = new FieldEdit(parent);
    edit->setFrame(has(control, Border));
    edit->setReadOnly(has(control, ReadOnly));
    if (has(control, Number)) {
        edit->acceptOnly(QRegularExpression(QStringLiteral("[0-9]*")));
    }
    return edit;
}

QWidget* createButton(const ControlTemplate& control, QWidget* parent) {
    using namespace ControlStyle;
    if (has(control, GroupBox)) return new GroupFrame(textOf(control), parent);
    if (has(control, AutoCheckBox)) {
        if (has(control, StaticEdge)) return new EdgedCheckBox(textOf(control), parent);
        return new QCheckBox(textOf(control), parent);
    }
    auto* button = new QPushButton(textOf(control), parent);
    // Enter presses the focused push button, as in any dialog.
    button->setAutoDefault(true);
    button->setDefault(has(control, DefPushButton));
    return button;
}

QWidget* createStatic(const ControlTemplate& control, QWidget* parent) {
    using namespace ControlStyle;
    // A bitmap is shown at its own size, an icon at the standard icon size.
    if (has(control, Bitmap)) {
        return new PictureControl(control.image, artSize(control.image), has(control, Sunken),
                                  parent);
    }
    if (has(control, Icon)) {
        return new PictureControl(control.image, QSize(32, 32), has(control, Sunken), parent);
    }
    const Qt::Alignment alignment = has(control, Center) ? Qt::AlignHCenter : Qt::AlignLeft;
    return new StaticText(textOf(control), alignment, has(control, Sunken), parent);
}

QWidget* createListView(const ControlTemplate& control, QWidget* parent) {
    using namespace ControlStyle;
    auto* list = new ListControl(parent);
    if (has(control, IconView)) {
        list->setViewMode(QListView::IconMode);
        list->setMovement(QListView::Static);
        list->setResizeMode(QListView::Adjust);
        list->setWrapping(true);
        list->setWordWrap(true);
    }
    list->setSelectionMode(has(control, SingleSel) ? QAbstractItemView::SingleSelection
                                                   : QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setDragEnabled(false);
    list->setFrameShape(has(control, Border) ? QFrame::StyledPanel : QFrame::NoFrame);
    return list;
}

QWidget* createComboBox(const ControlTemplate&, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(false);
    combo->setInsertPolicy(QComboBox::InsertAtBottom);
    return combo;
}

QWidget* createWidget(const ControlTemplate& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::Edit:
            return createEdit(control, parent);
        case ControlKind::Button:
            return createButton(control, parent);
        case ControlKind::Static:
            return createStatic(control, parent);
        case ControlKind::ListView:
            return createListView(control, parent);
        case ControlKind::ComboBox:
            return createComboBox(control, parent);
    }
    return nullptr;
}

// Static controls are not hit by the mouse: clicks and right clicks reach the
// dialog behind them.
bool isStatic(const ControlTemplate& control) {
    using namespace ControlStyle;
    return control.kind == ControlKind::Static || has(control, GroupBox);
}

QRect placeOf(const ControlTemplate& control, QWidget* widget) {
    QRect place = dialogUnitRect(control.x, control.y, control.width, control.height);
    if (auto* picture = qobject_cast<PictureControl*>(widget)) {
        place.setSize(picture->sizeHint());
    } else if (control.kind == ControlKind::ComboBox) {
        // The template's height includes the dropped-down list.
        place.setHeight(qMin(place.height(), dialogUnitsToPixels(14)));
    }
    return place;
}

}  // namespace

QList<CreatedControl> createControls(const DialogTemplate& dialog, QWidget* parent) {
    QList<CreatedControl> created;
    QList<QWidget*> frames;
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = createWidget(control, parent);
        widget->setGeometry(placeOf(control, widget));
        if (isStatic(control)) {
            widget->setFocusPolicy(Qt::NoFocus);
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        } else if (has(control, ControlStyle::TabStop)) {
            widget->setFocusPolicy(Qt::StrongFocus);
        }
        if (has(control, ControlStyle::Hidden)) widget->hide();
        if (has(control, ControlStyle::GroupBox)) frames.append(widget);
        created.append({control.id, widget});
    }
    // Behind everything else, last frame lowest, so frames never cover controls.
    for (QWidget* frame : frames) frame->lower();
    return created;
}

void placeControls(const DialogTemplate& dialog, const QList<CreatedControl>& controls) {
    // createControls made one control per template entry, in template order.
    const auto count = std::min<qsizetype>(controls.size(), dialog.controls.size());
    for (qsizetype i = 0; i < count; ++i) {
        QWidget* widget = controls[i].widget;
        widget->setGeometry(placeOf(dialog.controls[i], widget));
    }
}
