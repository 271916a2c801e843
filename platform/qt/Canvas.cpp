#include "platform/qt/Canvas.h"

#include <cassert>

namespace platform {

namespace {

QImage BlackImage(QSize logical, qreal ratio) {
    QImage image(qRound(logical.width() * ratio), qRound(logical.height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    return image;
}

}  // namespace

Canvas::Canvas(QSize logical, qreal ratio) : image_(BlackImage(logical, ratio)) {}

Canvas::~Canvas() {
    assert(painting_ == 0 && "every context has let go of the canvas");
    if (painter_.isActive()) painter_.end();
}

QPainter& Canvas::BeginPainting() {
    if (painting_++ == 0) painter_.begin(&image_);
    return painter_;
}

void Canvas::EndPainting() {
    assert(painting_ > 0);
    if (--painting_ == 0) painter_.end();
}

void Canvas::Reset(QSize logical, qreal ratio) {
    if (painter_.isActive()) painter_.end();
    image_ = BlackImage(logical, ratio);
    if (painting_ > 0) painter_.begin(&image_);
}

}  // namespace platform
