// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/look/art.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <cmath>

namespace {

QString artPath(int resourceId) {
    switch (resourceId) {
        case kApplicationIcon:
            return QStringLiteral(":/art/icon_128_application.svg");
        case kIntegralSignBitmap:
            return QStringLiteral(":/art/bitmap_131_integral_sign.svg");
        case kIntegralPageIcon:
            return QStringLiteral(":/art/icon_132_integral_page.svg");
        case kSigmaBitmap:
            return QStringLiteral(":/art/bitmap_133_sigma.svg");
        case kPiBitmap:
            return QStringLiteral(":/art/bitmap_134_pi.svg");
        case kNavigationStrip:
            return QStringLiteral(":/art/bitmap_136_navigation_strip.svg");
        case kPointingHandCursor:
            return QStringLiteral(":/art/cursor_137_pointing_hand.svg");
        case kCoverBitmap:
            return QStringLiteral(":/art/bitmap_138_cover.svg");
        default:
            return {};
    }
}

// One parsed renderer per picture for the whole run.
QSvgRenderer* renderer(int resourceId) {
    static QHash<int, QSvgRenderer*> renderers;
    if (const auto found = renderers.constFind(resourceId); found != renderers.constEnd()) {
        return *found;
    }
    const QString path = artPath(resourceId);
    QSvgRenderer* loaded = nullptr;
    if (!path.isEmpty()) {
        loaded = new QSvgRenderer(path);
        if (!loaded->isValid()) {
            delete loaded;
            loaded = nullptr;
        }
    }
    renderers.insert(resourceId, loaded);
    return loaded;
}

QImage renderSized(int resourceId, QSize logicalSize, qreal devicePixelRatio) {
    QSvgRenderer* svg = renderer(resourceId);
    if (!svg) return {};
    const QSize pixels(static_cast<int>(std::ceil(logicalSize.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(logicalSize.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

}  // namespace

QSize artSize(int resourceId) {
    QSvgRenderer* svg = renderer(resourceId);
    return svg ? svg->defaultSize() : QSize();
}

QImage renderArt(int resourceId, qreal devicePixelRatio) {
    return renderSized(resourceId, artSize(resourceId), devicePixelRatio);
}

void paintArt(QPainter& painter, int resourceId, const QRectF& target) {
    if (QSvgRenderer* svg = renderer(resourceId)) svg->render(&painter, target);
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 96, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(renderSized(kApplicationIcon, QSize(size, size), 1.0)));
    }
    return icon;
}

namespace {

constexpr int kStripPictures = 5;

// The strip with pictures side pixels high, rendered once per size.
const QImage& stripOfSide(int side) {
    static QHash<int, QImage> strips;
    auto found = strips.find(side);
    if (found == strips.end()) {
        const qreal ratio = static_cast<qreal>(side) / artSize(kNavigationStrip).height();
        found =
            strips.insert(side, renderSized(kNavigationStrip, artSize(kNavigationStrip), ratio));
    }
    return *found;
}

// One picture of strip 136, drawn from the SVG at whatever size and pixel
// ratio it is shown at, so it stays sharp at every dialog scale. The modes
// other than the normal one are made by the style, as for any icon.
class StripPictureEngine : public QIconEngine {
  public:
    explicit StripPictureEngine(int index) : index_(index) {}

    QIconEngine* clone() const override { return new StripPictureEngine(index_); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        if (side <= 0) return {};
        QPixmap picture = QPixmap::fromImage(stripOfSide(side).copy(index_ * side, 0, side, side));
        picture.setDevicePixelRatio(1.0);
        if (mode == QIcon::Normal) return picture;
        QStyleOption option(0);
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    // Qt before 6.8 passes the size in device pixels, later Qt in logical ones.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QPixmap picture = pixmap(size * scale, mode, state);
#else
        Q_UNUSED(scale);
        QPixmap picture = pixmap(size, mode, state);
#endif
        picture.setDevicePixelRatio(scale);
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

  private:
    int index_;
};

}  // namespace

QList<QIcon> navigationIcons() {
    if (!renderer(kNavigationStrip)) return {};
    QList<QIcon> icons;
    for (int i = 0; i < kStripPictures; ++i) icons.append(QIcon(new StripPictureEngine(i)));
    return icons;
}

QCursor pointingHandCursor() {
    const QImage hand = renderArt(kPointingHandCursor, 1.0);
    if (hand.isNull()) return QCursor(Qt::PointingHandCursor);
    return QCursor(QPixmap::fromImage(hand), 5, 0);
}
