#include "platform/qt/BoardWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

BoardWidget::BoardWidget(QWidget* parent)
    : QWidget(parent), backBuffer_(std::make_shared<Canvas>(QSize(), 1.0)) {
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel comes from the back buffer: no background fill by Qt, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BoardWidget::Push(const QRect& rect) {
    repaint(rect);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    const QImage& image = backBuffer_->Image();
    const qreal ratio = image.devicePixelRatio();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : event->region())
        painter.drawImage(
            QRectF(rect), image,
            QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio));
    if (!framePainted_ && isVisible()) {
        framePainted_ = true;
        if (onFirstFrame) onFirstFrame();
    }
}

void BoardWidget::resizeEvent(QResizeEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QImage& image = backBuffer_->Image();
    if (image.size() == size() * ratio && image.devicePixelRatio() == ratio) return;
    // A context held meanwhile (a collapse, a box opened while landing) goes on drawing, into the new image.
    backBuffer_->Reset(size(), ratio);
    if (onResized) onResized();
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    if (onKeyPress) onKeyPress(event);
}

}  // namespace platform
