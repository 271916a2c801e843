#include "cardlib/cards32/CardCache.h"

#include <QPainter>

namespace cards32 {

const QImage& CardCache::Get(int picture, QSize pixels, std::uint32_t background) {
    const Key key{picture, pixels.width(), pixels.height(), background & 0xFFFFFFu};
    if (const auto found = images_.find(key); found != images_.end()) return found->second;
    if (images_.size() >= kMaxImages) images_.clear();
    return images_.emplace(key, Render(picture, pixels, key.background)).first->second;
}

QImage CardCache::Render(int picture, QSize pixels, std::uint32_t background) {
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(QColor(background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    art_.Paint(painter, QRectF(QPointF(0, 0), QSizeF(pixels)), picture);
    return image;
}

}  // namespace cards32
