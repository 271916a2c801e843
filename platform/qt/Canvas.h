#pragma once
// An image that drawing contexts draw into, with the one painter they share.
// Qt allows one painter per image, while GDI lets several contexts draw on one
// window at once (a window context held across a nested one): they share this
// painter, begun with the first of them and ended with the last. The painter
// never outlives its image: an image replaced under held contexts (a resized
// window) ends the painter first and begins it again on the new image.

#include <QImage>
#include <QPainter>

namespace platform {

class Canvas {
public:
    // Logical size at a device-pixel ratio, filled black.
    Canvas(QSize logical, qreal ratio);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

    // The shared painter: BeginPainting for each context that starts to paint, EndPainting when it goes.
    QPainter& BeginPainting();
    QPainter& Painter() { return painter_; }
    void EndPainting();

    // A new image, black, of the size the device pixels of the logical size take.
    void Reset(QSize logical, qreal ratio);

private:
    QImage image_;
    QPainter painter_;
    int painting_ = 0;
};

}  // namespace platform
