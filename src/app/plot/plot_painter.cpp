// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/plot/plot_painter.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/look/dialog_look.h"
#include "app/work/qt_message_service.h"
#include "core/number_text.h"
#include "core/string_table.h"

namespace {

const QColor kCurve(0, 64, 128);
const QColor kGrid(172, 172, 172);
const QColor kAxis(72, 72, 72);
const QColor kBoxEdge(128, 128, 128);
const QColor kAreaAbove(40, 110, 220, 110);
const QColor kAreaBelow(230, 90, 40, 120);
const QColor kTangent(170, 0, 0);
const QColor kDots(0, 112, 0);
const QColor kSignChange(224, 128, 0);
const QColor kRoot(200, 0, 0);
const QColor kReason(176, 0, 0);
const QColor kReadout(255, 255, 232);

// Points further off the box than this many box heights are drawn at that
// distance: the raster engine loses precision on huge coordinates, and lines
// beyond the box are long since clipped. The lines near poles are between
// neighbouring singles, so the drawn slope does not change visibly.
constexpr double kFarthestOff = 50.0;

// Round numbers: 1, 2 or 5 times a power of ten, about count of them in span.
double tickStep(double span, double count) {
    const double raw = span / std::max(1.0, count);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw) return m * power;
    }
    return 10 * power;
}

std::vector<double> ticks(double low, double high, double step) {
    std::vector<double> values;
    if (!(step > 0) || !std::isfinite(low) || !std::isfinite(high)) return values;
    const double first = std::ceil(low / step);
    const double last = std::floor(high / step);
    if (!(last - first < 200)) return values;
    for (double k = first; k <= last; ++k) values.push_back(k * step);
    return values;
}

QString tickLabel(double value, double step) {
    if (std::abs(value) < step * 1e-6) return QStringLiteral("0");
    // k * step carries the rounding of the product (0.30000000000000004):
    // twelve digits drop it and keep every digit a tick step can have.
    return QString::number(value, 'g', 12);
}

// A pen width in pixels at the dialog font's size, so lines grow with it.
double unitOf(const QFont& font) { return std::max(1.0, font.pixelSize() / 12.0); }

// The y ticks' step for a box of the given height.
double yStep(const PlotView& view, double height, const QFontMetricsF& metrics) {
    return tickStep(view.top - view.bottom, height / (metrics.height() * 3));
}

template <class Value>
class Painting {
  public:
    using Picture = BasicPlotPicture<Value>;

    Painting(QPainter& painter, const QRectF& whole, const Picture& picture, const QFont& font)
        : p_(painter),
          whole_(whole),
          picture_(picture),
          font_(font),
          metrics_(font),
          frame_(LayOutPlot(whole, picture.view, font)),
          unit_(unitOf(font)) {}

    void run();

  private:
    QPointF at(double x, double y) const;
    void drawTitle();
    void drawGridAndTicks();
    void drawReason();
    void drawArea();
    void drawCurve();
    void drawMarks();
    void drawCursor();
    // The piece's points in pixels, their distance off the box bounded.
    QPolygonF polyline(const PlotPiece& piece) const;

    QPainter& p_;
    QRectF whole_;
    const Picture& picture_;
    QFont font_;
    QFontMetricsF metrics_;
    PlotFrame frame_;
    double unit_;
};

template <class Value>
QPointF Painting<Value>::at(double x, double y) const {
    const QRectF& box = frame_.box;
    const double reach = kFarthestOff * box.height();
    return {frame_.toPixelX(x),
            std::clamp(frame_.toPixelY(y), box.top() - reach, box.bottom() + reach)};
}

template <class Value>
QPolygonF Painting<Value>::polyline(const PlotPiece& piece) const {
    const auto& points = picture_.content.sampling.points;
    QPolygonF line;
    line.reserve(piece.end - piece.begin);
    for (int i = piece.begin; i < piece.end; ++i) line << at(points[i].x, points[i].y);
    return line;
}

template <class Value>
void Painting<Value>::drawTitle() {
    const double pitch = metrics_.height();
    const QRectF line(frame_.box.left(), whole_.top() + pitch * 0.3, frame_.box.width(), pitch);
    p_.setPen(kDialogText);
    const QString result = PlotResultLine(picture_.setup, picture_.content);
    const double resultWidth = metrics_.horizontalAdvance(result);
    const QString formula = metrics_.elidedText(PlotFormulaLine(picture_.setup), Qt::ElideRight,
                                                std::max(0.0, line.width() - resultWidth - pitch));
    p_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, formula);
    p_.drawText(line, Qt::AlignRight | Qt::AlignVCenter, result);
}

template <class Value>
void Painting<Value>::drawGridAndTicks() {
    const QRectF& box = frame_.box;
    const PlotView& view = frame_.view;
    const double xs = tickStep(view.right - view.left, box.width() / (metrics_.height() * 6));
    const double ys = yStep(view, box.height(), metrics_);
    const std::vector<double> xTicks = ticks(view.left, view.right, xs);
    const std::vector<double> yTicks = ticks(view.bottom, view.top, ys);
    p_.setPen(QPen(kGrid, 0));
    for (const double x : xTicks) {
        const double px = frame_.toPixelX(x);
        p_.drawLine(QPointF(px, box.top()), QPointF(px, box.bottom()));
    }
    for (const double y : yTicks) {
        const double py = frame_.toPixelY(y);
        p_.drawLine(QPointF(box.left(), py), QPointF(box.right(), py));
    }
    p_.setPen(QPen(kAxis, unit_));
    if (view.left <= 0 && 0 <= view.right) {
        const double px = frame_.toPixelX(0);
        p_.drawLine(QPointF(px, box.top()), QPointF(px, box.bottom()));
    }
    if (view.bottom <= 0 && 0 <= view.top) {
        const double py = frame_.toPixelY(0);
        p_.drawLine(QPointF(box.left(), py), QPointF(box.right(), py));
    }
    p_.setPen(QPen(kBoxEdge, 0));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(box);

    p_.setPen(kDialogText);
    const double pitch = metrics_.height();
    for (const double x : xTicks) {
        const double px = frame_.toPixelX(x);
        p_.drawText(QRectF(px - 4 * pitch, box.bottom() + 0.25 * pitch, 8 * pitch, pitch),
                    Qt::AlignHCenter | Qt::AlignTop, tickLabel(x, xs));
    }
    for (const double y : yTicks) {
        const double py = frame_.toPixelY(y);
        p_.drawText(
            QRectF(whole_.left(), py - pitch / 2, box.left() - whole_.left() - pitch / 3, pitch),
            Qt::AlignRight | Qt::AlignVCenter, tickLabel(y, ys));
    }
}

template <class Value>
void Painting<Value>::drawReason() {
    const QString text = loadQString(kPlotCannotDraw) + QLatin1Char('\n') +
                         QString::fromStdString(picture_.content.reason);
    const QRectF room = frame_.box.adjusted(unit_ * 12, unit_ * 12, -unit_ * 12, -unit_ * 12);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const double pad = metrics_.height() / 2;
    const QRectF said = p_.boundingRect(room, flags, text).adjusted(-pad, -pad, pad, pad);
    p_.setPen(QPen(kBoxEdge, 0));
    p_.setBrush(kReadout);
    p_.drawRect(said);
    p_.setPen(kReason);
    p_.drawText(room, flags, text);
}

template <class Value>
void Painting<Value>::drawArea() {
    const PlotSetup& setup = picture_.setup;
    if (setup.kind != PlotKind::Integral) return;
    const double low = std::min(setup.from, setup.to);
    const double high = std::max(setup.from, setup.to);
    if (!(high > low)) return;
    const QRectF& box = frame_.box;
    const double left = std::max(box.left(), frame_.toPixelX(low));
    const double right = std::min(box.right(), frame_.toPixelX(high));
    if (!(right > left)) return;
    const double axis = std::clamp(frame_.toPixelY(0), box.top() - 1, box.bottom() + 1);
    QPainterPath area;
    for (const PlotPiece& piece : picture_.content.sampling.pieces) {
        QPolygonF shape = polyline(piece);
        if (shape.size() < 2) continue;
        shape.prepend(QPointF(shape.front().x(), axis));
        shape.append(QPointF(shape.back().x(), axis));
        area.addPolygon(shape);
        area.closeSubpath();
    }
    p_.setPen(Qt::NoPen);
    // Between the curve and the axis: above it where f > 0, below where f < 0.
    const QRectF above(QPointF(left, box.top()), QPointF(right, axis));
    const QRectF below(QPointF(left, axis), QPointF(right, box.bottom()));
    for (const auto& [part, colour] :
         {std::pair{above, kAreaAbove}, std::pair{below, kAreaBelow}}) {
        if (part.height() <= 0) continue;
        p_.save();
        p_.setClipRect(part, Qt::IntersectClip);
        p_.fillPath(area, colour);
        p_.restore();
    }
}

template <class Value>
void Painting<Value>::drawCurve() {
    const auto& points = picture_.content.sampling.points;
    QPainterPath path;
    std::vector<QPointF> lone;  // pieces of one point
    for (const PlotPiece& piece : picture_.content.sampling.pieces) {
        if (piece.end - piece.begin == 1) {
            lone.push_back(at(points[piece.begin].x, points[piece.begin].y));
            continue;
        }
        path.addPolygon(polyline(piece));
    }
    QPen pen(kCurve, 1.5 * unit_);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(path);
    for (const QPointF& point : lone) p_.drawPoint(point);
}

template <class Value>
void Painting<Value>::drawMarks() {
    const PlotSetup& setup = picture_.setup;
    const BasicPlotContent<Value>& content = picture_.content;
    const PlotView& view = frame_.view;
    const double dot = 2.2 * unit_;
    if (setup.kind == PlotKind::Progression) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(kDots);
        for (const BasicPlotPoint<Value>& point : content.dots) {
            if (std::isfinite(point.y) && point.x >= view.left && point.x <= view.right)
                p_.drawEllipse(at(point.x, point.y), dot, dot);
        }
    }
    if (setup.kind == PlotKind::Derivative && std::isfinite(content.pointValue)) {
        const auto x0 = static_cast<double>(static_cast<Value>(setup.from));
        const double y0 = content.pointValue;
        if (setup.result && std::isfinite(*setup.result)) {
            const double slope = *setup.result;
            QPen pen(kTangent, 1.2 * unit_, Qt::DashLine);
            p_.setPen(pen);
            p_.drawLine(at(view.left, y0 + slope * (view.left - x0)),
                        at(view.right, y0 + slope * (view.right - x0)));
        }
        p_.setPen(Qt::NoPen);
        p_.setBrush(kTangent);
        p_.drawEllipse(at(x0, y0), 1.5 * dot, 1.5 * dot);
    }
    if (setup.kind == PlotKind::Equation) {
        p_.setPen(QPen(kRoot, 1.2 * unit_));
        p_.drawLine(at(view.left, 0), at(view.right, 0));
        p_.setPen(Qt::NoPen);
        p_.setBrush(kSignChange);
        const double size = 4 * unit_;
        for (const BasicPlotSpan<Value>& change : content.sampling.signChanges) {
            const QPointF c = at(0.5 * (static_cast<double>(change.from) + change.to), 0);
            p_.drawPolygon(QPolygonF{c, c + QPointF(-size, 2 * size), c + QPointF(size, 2 * size)});
        }
        if (setup.result && std::isfinite(*setup.result)) {
            p_.setPen(QPen(kRoot, 2 * unit_));
            p_.setBrush(Qt::NoBrush);
            p_.drawEllipse(at(*setup.result, 0), 2.5 * dot, 2.5 * dot);
        }
    }
}

template <class Value>
void Painting<Value>::drawCursor() {
    if (!picture_.cursor) return;
    const BasicPlotPoint<Value>& point = *picture_.cursor;
    const QRectF& box = frame_.box;
    const double px = frame_.toPixelX(point.x);
    p_.setPen(QPen(kAxis, 0, Qt::DotLine));
    p_.drawLine(QPointF(px, box.top()), QPointF(px, box.bottom()));
    if (std::isfinite(point.y)) {
        p_.setPen(QPen(kTangent, 1.5 * unit_));
        p_.setBrush(Qt::NoBrush);
        p_.drawEllipse(at(point.x, point.y), 3 * unit_, 3 * unit_);
    }
    const QString text = PlotCursorLine(point);
    const double pitch = metrics_.height();
    const QRectF label(box.left() + pitch / 2, box.top() + pitch / 2,
                       metrics_.horizontalAdvance(text) + pitch, pitch * 1.4);
    p_.setPen(QPen(kBoxEdge, 0));
    p_.setBrush(kReadout);
    p_.drawRect(label);
    p_.setPen(kDialogText);
    p_.drawText(label, Qt::AlignCenter, text);
}

template <class Value>
void Painting<Value>::run() {
    p_.save();
    p_.setFont(font_);
    p_.setRenderHint(QPainter::Antialiasing);
    p_.fillRect(whole_, kDialogBackground);
    drawTitle();
    drawGridAndTicks();
    p_.setClipRect(frame_.box);
    if (!picture_.content.expr) {
        drawReason();
    } else {
        drawArea();
        drawCurve();
        drawMarks();
        drawCursor();
    }
    p_.restore();
}

}  // namespace

double PlotFrame::toPixelX(double x) const {
    return box.left() + (x - view.left) / (view.right - view.left) * box.width();
}

double PlotFrame::toPixelY(double y) const {
    return box.bottom() - (y - view.bottom) / (view.top - view.bottom) * box.height();
}

double PlotFrame::toX(double pixelX) const {
    return view.left + (pixelX - box.left()) / box.width() * (view.right - view.left);
}

double PlotFrame::toY(double pixelY) const {
    return view.bottom + (box.bottom() - pixelY) / box.height() * (view.top - view.bottom);
}

PlotFrame LayOutPlot(const QRectF& whole, const PlotView& view, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double pitch = metrics.height();
    const double top = whole.top() + pitch * 1.8;
    const double bottom = whole.bottom() - pitch * 1.6;
    // The y labels decide the left margin.
    const double step = yStep(view, bottom - top, metrics);
    double widest = metrics.horizontalAdvance(QStringLiteral("0"));
    for (const double y : ticks(view.bottom, view.top, step))
        widest = std::max(widest, metrics.horizontalAdvance(tickLabel(y, step)));
    const double left = whole.left() + widest + pitch * 0.8;
    const double right = whole.right() - pitch;
    PlotFrame frame;
    frame.box =
        QRectF(QPointF(left, top), QPointF(std::max(left + 1, right), std::max(top + 1, bottom)));
    frame.view = view;
    return frame;
}

template <class Value>
void PaintPlot(QPainter& painter, const QRectF& whole, const BasicPlotPicture<Value>& picture,
               const QFont& font) {
    Painting<Value>(painter, whole, picture, font).run();
}

template <class Value>
QImage PlotImage(const BasicPlotPicture<Value>& picture, QSize size, qreal devicePixelRatio,
                 const QFont& font) {
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(kDialogBackground);
    QPainter painter(&image);
    PaintPlot(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture, font);
    return image;
}

template <class Value>
bool WritePlotFile(const QString& path, const BasicPlotPicture<Value>& picture, QSize size,
                   const QFont& font) {
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) != 0) {
        return PlotImage(picture, size, 1.0, font).save(path, "PNG");
    }
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(PlotFormulaLine(picture.setup));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    PaintPlot(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture, font);
    return painter.end() && QFileInfo(path).size() > 0;
}

QString ShortFormula(const std::string& formula, qsizetype characters) {
    // Enough bytes for the characters kept, never the whole of a long text.
    const auto bytes = std::min(formula.size(), static_cast<std::size_t>(4 * characters + 4));
    QString shown = QString::fromUtf8(formula.data(), static_cast<qsizetype>(bytes));
    if (shown.size() > characters || bytes < formula.size())
        shown = shown.left(characters) + QChar(0x2026);
    return shown;
}

QString PlotFormulaLine(const PlotSetup& setup) {
    // Longer than any line of a picture: the rest is elided when drawn.
    constexpr qsizetype kLongestShown = 300;
    const int id = setup.kind == PlotKind::Equation ? kPlotEquationLine : kPlotFormulaLine;
    return loadQString(id).arg(ShortFormula(setup.formula, kLongestShown));
}

template <class Value>
QString PlotResultLine(const PlotSetup& setup, const BasicPlotContent<Value>& content) {
    if (!content.expr) return {};
    const auto number = [](double value) { return formatDouble(value); };
    switch (setup.kind) {
        case PlotKind::Integral:
            if (setup.result)
                return QString::fromStdString(
                    FormatString(kPlotIntegralResult, {number(*setup.result)}));
            break;
        case PlotKind::Derivative:
            if (setup.result) {
                return QString::fromStdString(FormatString(
                    kPlotDerivativeResult, {number(setup.from), number(*setup.result)}));
            }
            break;
        case PlotKind::Equation: {
            QString line = QString::fromStdString(FormatString(
                kPlotSignChanges, {std::to_string(content.sampling.signChanges.size())}));
            if (setup.result) {
                line += QStringLiteral("　") + QString::fromStdString(FormatString(
                                                   kPlotRootResult, {number(*setup.result)}));
            }
            return line;
        }
        case PlotKind::Progression: {
            const std::string total = formatDouble(content.dotTotal);
            if (content.dotTotal > static_cast<double>(content.dots.size())) {
                return QString::fromStdString(FormatString(
                    kPlotProgressionChosen, {total, std::to_string(content.dots.size())}));
            }
            return QString::fromStdString(FormatString(kPlotProgressionPoints, {total}));
        }
        case PlotKind::Curve:
            break;
    }
    return {};
}

QString PlotCursorLine(const PlotPoint& point) {
    return QString::fromStdString(FormatString(
        kPlotCursorLine, {FormatSingleExactly(point.x), FormatSingleExactly(point.y)}));
}

QString PlotCursorLine(const PlotPointD& point) {
    return QString::fromStdString(FormatString(
        kPlotCursorLine, {FormatDoubleExactly(point.x), FormatDoubleExactly(point.y)}));
}

// Both precisions, and nothing else, are drawn.
template void PaintPlot(QPainter&, const QRectF&, const PlotPicture&, const QFont&);
template void PaintPlot(QPainter&, const QRectF&, const PlotPictureD&, const QFont&);
template QImage PlotImage(const PlotPicture&, QSize, qreal, const QFont&);
template QImage PlotImage(const PlotPictureD&, QSize, qreal, const QFont&);
template bool WritePlotFile(const QString&, const PlotPicture&, QSize, const QFont&);
template bool WritePlotFile(const QString&, const PlotPictureD&, QSize, const QFont&);
template QString PlotResultLine(const PlotSetup&, const PlotContent&);
template QString PlotResultLine(const PlotSetup&, const PlotContentD&);
