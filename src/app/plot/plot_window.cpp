// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/plot/plot_window.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/dialog/dialog_scale.h"
#include "app/dialog/window_precision.h"
#include "app/look/art.h"
#include "app/pages/calculation_page.h"
#include "app/plot/plot_painter.h"
#include "app/plot/plot_widget.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"
#include "app/work/qt_message_service.h"
#include "core/number_text.h"

namespace {

// The formula in the title is cut after this many characters.
constexpr qsizetype kTitleFormula = 40;

const QKeySequence kOpenKey(Qt::CTRL | Qt::Key_G);

void onEdit(QWidget* widget, PlotSource* source) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(edit, &QLineEdit::textChanged, source, &PlotSource::changed);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QObject::connect(box, &QCheckBox::toggled, source, &PlotSource::changed);
    }
}

// Opens the plot on a click; the picture lets no other mouse input through.
class ClickOpens : public QObject {
  public:
    ClickOpens(PictureControl* picture, PlotSource* source) : QObject(picture), source_(source) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* picture = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            picture->rect().contains(mouse->position().toPoint()) && source_) {
            source_->open();
            return true;
        }
        return false;
    }

  private:
    QPointer<PlotSource> source_;
};

QString titleFor(const PlotSetup& setup) {
    QString title = loadQString(kPlotWindowTitle).arg(ShortFormula(setup.formula, kTitleFormula));
    if (setup.precision == Precision::Double) title += loadQString(kTitleDoubleSuffix);
    return title;
}

}  // namespace

PlotSource::PlotSource(FieldEdit* formula, std::function<PlotSetup()> read,
                       const QList<QWidget*>& watched)
    : QObject(formula), read_(std::move(read)) {
    connect(formula, &QLineEdit::textChanged, this, &PlotSource::changed);
    for (QWidget* widget : watched) onEdit(widget, this);
}

FieldEdit* PlotSource::formulaEdit() const { return static_cast<FieldEdit*>(parent()); }

PlotSetup PlotSource::read() const {
    PlotSetup setup = read_();
    if (result_ && page_ && page_->showsFreshResult(request_)) {
        if (const auto value = parseDoubleField(result_->text().toStdString()))
            setup.result = *value;
    }
    return setup;
}

void PlotSource::followResult(CalculationPage* page, int request, QLineEdit* result) {
    result_ = result;
    page_ = page;
    request_ = request;
    connect(page, &TemplatePage::calculated, this, [this, request](int calculated) {
        if (calculated == request) emit resultShown();
    });
}

void PlotSource::open() {
    if (PlotWindow* window = PlotWindow::of(formulaEdit())) window->follow(this);
}

void offerPlot(FieldEdit* edit, PlotSource* source) {
    auto* shortcut = new QShortcut(kOpenKey, edit, source, &PlotSource::open, Qt::WidgetShortcut);
    (void)shortcut;
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, source, [edit, source](QPoint at) {
        QMenu* menu = edit->createStandardContextMenu();
        menu->addSeparator();
        QAction* entry = menu->addAction(loadQString(kPlotMenuEntry), source, &PlotSource::open);
        entry->setShortcut(kOpenKey);
        entry->setShortcutVisibleInContextMenu(true);
        menu->exec(edit->mapToGlobal(at));
        delete menu;
    });
}

void openPlotOnClick(PictureControl* picture, PlotSource* source) {
    if (!picture) return;
    picture->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    picture->setCursor(pointingHandCursor());
    picture->setToolTip(loadQString(kPlotPictureHint));
    picture->installEventFilter(new ClickOpens(picture, source));
}

PlotWindow* PlotWindow::of(QWidget* widget) {
    QWidget* main = widget ? widget->window() : nullptr;
    if (!main) return nullptr;
    if (auto* window = main->findChild<PlotWindow*>(QString(), Qt::FindDirectChildrenOnly))
        return window;
    return new PlotWindow(main);
}

PlotWindow::PlotWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool) {
    setAccessibleName(loadQString(kPlotWindowName));
    setWindowTitle(loadQString(kPlotWindowName));
    plot_ = new PlotWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    delay_.setSingleShot(true);
    delay_.setInterval(kLiveDelayMs);
    connect(&delay_, &QTimer::timeout, this, &PlotWindow::refresh);
    // The fields and the formula read differently, and are sampled anew.
    connect(&WindowPrecision::instance(), &WindowPrecision::changed, this, &PlotWindow::refresh);
}

void PlotWindow::follow(PlotSource* source) {
    if (source != source_) {
        if (source_) source_->disconnect(this);
        source_ = source;
        connect(source, &PlotSource::changed, &delay_, qOverload<>(&QTimer::start));
        connect(source, &PlotSource::resultShown, this, &PlotWindow::refresh);
    }
    placeBesideMainWindow();
    show();
    refresh();
    raise();
    activateWindow();
    plot_->setFocus(Qt::OtherFocusReason);
}

void PlotWindow::refresh() {
    // A hidden window is brought up to date when it is opened again.
    if (!source_ || !isVisible()) return;
    const PlotSetup setup = source_->read();
    setWindowTitle(titleFor(setup));
    plot_->setSetup(setup);
}

void PlotWindow::placeBesideMainWindow() {
    if (placed_) return;
    placed_ = true;
    resize(scaledPixels(600), scaledPixels(400));
    const QWidget* main = parentWidget();
    const QRect beside = main->frameGeometry();
    const QScreen* screen = main->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(beside.topLeft(), size());
    const int gap = scaledPixels(8);
    int x = beside.right() + gap;
    if (x + width() > room.right()) x = beside.left() - gap - width();
    if (x < room.left()) x = room.right() - width();
    const int y =
        std::clamp(beside.top(), room.top(), std::max(room.top(), room.bottom() - height()));
    move(std::max(room.left(), x), y);
}

void PlotWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
