#include "cardlib/cards32/CardCache.h"

#include <QPainter>

namespace cards32 {

const QImage& CardCache::Get(int picture, QSize pixels) {
    const Key key{picture, pixels.width(), pixels.height()};
    if (const auto found = images_.find(key); found != images_.end()) return found->second;
    if (images_.size() >= kMaxImages) images_.clear();
    return images_.emplace(key, Render(picture, pixels)).first->second;
}

QImage CardCache::Render(int picture, QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    art_.Paint(painter, QRectF(QPointF(0, 0), QSizeF(pixels)), picture);
    return image;
}

}  // namespace cards32
