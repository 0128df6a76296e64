// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/accessibility.h"

#include <QAccessibleWidget>

#include "app/dialog/control_ids.h"
#include "app/dialog/dialog_template.h"
#include "app/widgets/field_edit_accessible.h"
#include "app/widgets/template_widgets.h"
#include "app/work/qt_message_service.h"

namespace {

constexpr int kOwnText = 0;
constexpr int kNoHint = -1;

struct AccessibleEntry {
    int templateId;
    int control;  // its id, or the picture of a picture without one
    int nameId;
    int hintIndex;
};

#include "accessible_names.inc"

// A static text reads as its text; bound to a link it is a link, which a
// screen reader can press.
class StaticTextAccessible : public QAccessibleWidget {
  public:
    explicit StaticTextAccessible(StaticText* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    // Asked each time: a label becomes a link after it is made.
    QAccessible::Role role() const override {
        return label()->isLink() ? QAccessible::Link : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Name || !own.isEmpty()) return own;
        return static_cast<const StaticText*>(widget())->text();
    }

    QStringList actionNames() const override {
        if (!label()->isLink()) return QAccessibleWidget::actionNames();
        return {pressAction()};
    }

    void doAction(const QString& action) override {
        if (label()->isLink() && action == pressAction()) return label()->activate();
        QAccessibleWidget::doAction(action);
    }

  private:
    StaticText* label() const { return static_cast<StaticText*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("StaticText")) {
        return new StaticTextAccessible(static_cast<StaticText*>(object));
    }
    if (className == QLatin1String("FieldEdit")) {
        return makeFieldEditAccessible(static_cast<FieldEdit*>(object));
    }
    if (className == QLatin1String("PictureControl")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    }
    return nullptr;
}

QString textOf(const ControlTemplate& control) {
    return QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
}

bool matches(const AccessibleEntry& entry, const ControlTemplate& control) {
    return control.id == kNoControlId ? control.image == entry.control && control.image != 0
                                      : control.id == entry.control;
}

}  // namespace

void installAccessibleInterfaces() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
}

void describeControls(const DialogTemplate& dialog, const QList<CreatedControl>& controls) {
    installAccessibleInterfaces();
    const auto& templates = dialog.controls;
    for (const AccessibleEntry& entry : kAccessibleEntries) {
        if (entry.templateId != dialog.id) continue;
        for (qsizetype i = 0; i < controls.size() && i < std::ssize(templates); ++i) {
            if (!matches(entry, templates[i])) continue;
            QWidget* widget = controls[i].widget;
            if (entry.nameId != kOwnText) widget->setAccessibleName(loadQString(entry.nameId));
            if (entry.hintIndex != kNoHint && entry.hintIndex < std::ssize(templates)) {
                widget->setAccessibleDescription(textOf(templates[entry.hintIndex]));
            }
        }
    }
}
