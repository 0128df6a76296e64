// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/plot/plot_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <type_traits>
#include <variant>

#include "app/work/qt_message_service.h"
#include "expr/evaluator.h"

namespace {

// One wheel notch or one key press.
constexpr double kZoomStep = 0.8;

// The picture of content (of either precision), the cursor in its values.
template <class Value>
BasicPlotPicture<Value> pictureOf(const PlotSetup& setup, const PlotView& view,
                                  const BasicPlotContent<Value>& content,
                                  const std::optional<PlotPointD>& cursor = std::nullopt) {
    BasicPlotPicture<Value> picture{setup, view, content};
    if (cursor)
        picture.cursor =
            BasicPlotPoint<Value>{static_cast<Value>(cursor->x), static_cast<Value>(cursor->y)};
    return picture;
}

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(loadQString(kPlotAccessibleName));
    setAccessibleDescription(loadQString(kPlotHowToHandle));
}

PlotWidget::~PlotWidget() = default;

const PlotContent* PlotWidget::content() const {
    return content_ ? std::get_if<PlotContent>(content_.get()) : nullptr;
}

const PlotContentD* PlotWidget::contentD() const {
    return content_ ? std::get_if<PlotContentD>(content_.get()) : nullptr;
}

void PlotWidget::setSetup(const PlotSetup& setup) {
    PlotSetup inOldPrecision = setup;
    inOldPrecision.precision = setup_.precision;
    // The view shown is kept, to compare the precisions in it.
    const bool newPrecision =
        content_ && setup.precision != setup_.precision && inOldPrecision.drawsTheSameAs(setup_);
    const bool redraw = !content_ || !setup.drawsTheSameAs(setup_);
    setup_ = setup;
    if (newPrecision) return resample();
    if (redraw) return showPageRange();
    describe();
    update();
}

void PlotWidget::showPageRange() {
    PageRange(setup_, view_.left, view_.right);
    fitRange_ = true;
    resample();
}

void PlotWidget::zoomBy(double factor, QPointF around) {
    const PlotFrame f = frame();
    const double x = f.toX(around.x());
    const double y = f.toY(around.y());
    PlotView view = view_;
    view.left = x + (view.left - x) * factor;
    view.right = x + (view.right - x) * factor;
    view.bottom = y + (view.bottom - y) * factor;
    view.top = y + (view.top - y) * factor;
    KeepDrawable(view.left, view.right);
    KeepDrawable(view.bottom, view.top);
    view_ = view;
    resample();
}

PlotFrame PlotWidget::frame() const { return LayOutPlot(QRectF(rect()), view_, font()); }

void PlotWidget::resample() {
    const quint64 generation = ++generation_;
    const QRectF box = frame().box;
    PlotJob job;
    job.setup = setup_;
    job.left = view_.left;
    job.right = view_.right;
    job.fitRange = fitRange_;
    job.bottom = view_.bottom;
    job.top = view_.top;
    job.width = std::max(1, qRound(box.width()));
    job.height = std::max(1, qRound(box.height()));
    const bool fit = fitRange_;
    const std::optional<double> cost = EstimatePlotCost(job);
    if (cost && *cost <= kImmediateCost) {
        worker_.cancel();
        sampling_ = false;
        return take(std::make_shared<const AnyPlotContent>(ComputePlot(job)), generation, fit);
    }
    sampling_ = true;
    // The worker is joined before the widget goes, so this outlives the job;
    // a result still queued then is dropped with the widget.
    worker_.run([this, job = std::move(job), generation, fit](const WorkControl& control) {
        auto content = std::make_shared<const AnyPlotContent>(ComputePlot(job, &control));
        if (std::visit([](const auto& c) { return c.sampling.cancelled; }, *content)) return;
        QMetaObject::invokeMethod(
            this, [this, content, generation, fit] { take(content, generation, fit); },
            Qt::QueuedConnection);
    });
    update();
}

void PlotWidget::take(std::shared_ptr<const AnyPlotContent> content, quint64 generation,
                      bool fitted) {
    if (generation != generation_) return;  // a later sampling is on its way
    sampling_ = false;
    content_ = std::move(content);
    if (fitted) {
        std::visit(
            [this](const auto& c) {
                view_.bottom = c.sampling.bottom;
                view_.top = c.sampling.top;
            },
            *content_);
        fitRange_ = false;
    }
    if (cursor_) pointAt(QPointF(frame().toPixelX(cursor_->x), 0));
    describe();
    update();
    emit contentChanged();
}

void PlotWidget::describe() {
    QString said;
    if (content_) {
        said = std::visit(
            [this](const auto& c) {
                return c.expr ? PlotResultLine(setup_, c) : QString::fromStdString(c.reason);
            },
            *content_);
    }
    if (!said.isEmpty()) said += QLatin1Char('\n');
    setAccessibleDescription(said + loadQString(kPlotHowToHandle));
}

void PlotWidget::pointAt(QPointF position) {
    cursor_.reset();
    if (!content_) return;
    const double at = frame().toX(position.x());
    std::visit(
        [this, at](const auto& c) {
            if (!c.expr) return;
            const auto x = static_cast<typename std::decay_t<decltype(c)>::ValueType>(at);
            cursor_ = PlotPointD{x, EvaluateExpression(*c.expr, x)};
        },
        *content_);
}

QImage PlotWidget::image() const {
    static const AnyPlotContent nothing;
    return std::visit(
        [this](const auto& c) {
            return PlotImage(pictureOf(setup_, view_, c), size(), devicePixelRatioF(), font());
        },
        content_ ? *content_ : nothing);
}

void PlotWidget::copyToClipboard() const {
    auto* data = new QMimeData;
    data->setImageData(image());
    if (content_) {
        const std::string samples = std::visit(
            [](const auto& c) { return FormatPlotSamples(c.sampling.points); }, *content_);
        data->setText(QString::fromStdString(samples));
    }
    QApplication::clipboard()->setMimeData(data);
}

bool PlotWidget::save(const QString& path) const {
    static const AnyPlotContent nothing;
    return std::visit(
        [&](const auto& c) {
            return WritePlotFile(path, pictureOf(setup_, view_, c), size(), font());
        },
        content_ ? *content_ : nothing);
}

void PlotWidget::saveWithDialog() {
    QString selected;
    QString path = QFileDialog::getSaveFileName(this, loadQString(kPlotSaveTitle),
                                                QDir::home().filePath(QStringLiteral("mexora.svg")),
                                                loadQString(kPlotSaveFilter), &selected);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += selected.contains(QLatin1String("*.png")) ? QStringLiteral(".png")
                                                          : QStringLiteral(".svg");
    if (!save(path)) QtMessageService(this).showMessage(kPlotCannotWrite, path.toStdString());
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!content_) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    std::visit(
        [&](const auto& c) {
            PaintPlot(painter, QRectF(rect()), pictureOf(setup_, view_, c, cursor_), font());
        },
        *content_);
}

void PlotWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (content_) resample();
}

void PlotWidget::keyPressEvent(QKeyEvent* event) {
    const QPointF middle = frame().box.center();
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
    } else if (event->matches(QKeySequence::Save)) {
        saveWithDialog();
    } else if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) {
        zoomBy(kZoomStep, middle);
    } else if (event->key() == Qt::Key_Minus) {
        zoomBy(1 / kZoomStep, middle);
    } else if (event->key() == Qt::Key_Home) {
        showPageRange();
    } else {
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) zoomBy(std::pow(kZoomStep, notches), event->position());
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragFrom_ = event->position();
    dragView_ = view_;
    setCursor(Qt::ClosedHandCursor);
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragFrom_ && (event->buttons() & Qt::LeftButton)) {
        const QRectF box = frame().box;
        const QPointF moved = event->position() - *dragFrom_;
        const double dx = moved.x() / box.width() * (dragView_.right - dragView_.left);
        const double dy = moved.y() / box.height() * (dragView_.top - dragView_.bottom);
        view_ = {dragView_.left - dx, dragView_.right - dx, dragView_.bottom + dy,
                 dragView_.top + dy};
        KeepDrawable(view_.left, view_.right);
        KeepDrawable(view_.bottom, view_.top);
        resample();
    }
    pointAt(event->position());
    update();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    dragFrom_.reset();
    unsetCursor();
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    showPageRange();
}

void PlotWidget::leaveEvent(QEvent* event) {
    cursor_.reset();
    update();
    QWidget::leaveEvent(event);
}
