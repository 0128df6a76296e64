// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/art.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
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

QList<QIcon> navigationIcons() {
    constexpr int kPictures = 5;
    constexpr int kSide = 48;
    QList<QIcon> icons(kPictures);
    for (const qreal ratio : {1.0, 2.0, 3.0}) {
        const QImage strip = renderArt(kNavigationStrip, ratio);
        if (strip.isNull()) return {};
        const int side = static_cast<int>(kSide * ratio);
        for (int i = 0; i < kPictures; ++i) {
            QPixmap picture = QPixmap::fromImage(strip.copy(i * side, 0, side, side));
            picture.setDevicePixelRatio(ratio);
            icons[i].addPixmap(picture);
        }
    }
    return icons;
}

QCursor pointingHandCursor() {
    const QImage hand = renderArt(kPointingHandCursor, 1.0);
    if (hand.isNull()) return QCursor(Qt::PointingHandCursor);
    return QCursor(QPixmap::fromImage(hand), 5, 0);
}
