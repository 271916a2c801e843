#include "platform/qt/BoardWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel comes from the back buffer: no background fill by Qt, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BoardWidget::Push(const QRect& rect) {
    repaint(rect);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    const qreal ratio = backBuffer_.devicePixelRatio();
    painter.drawImage(
        QRectF(area), backBuffer_,
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
    if (!framePainted_ && isVisible()) {
        framePainted_ = true;
        if (onFirstFrame) onFirstFrame();
    }
}

void BoardWidget::resizeEvent(QResizeEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(qRound(width() * ratio), qRound(height() * ratio));
    if (backBuffer_.size() == pixels && backBuffer_.devicePixelRatio() == ratio) return;
    backBuffer_ = QImage(pixels, QImage::Format_RGB32);
    backBuffer_.setDevicePixelRatio(ratio);
    backBuffer_.fill(Qt::black);
    if (onResized) onResized();
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    if (onKeyPress) onKeyPress(event);
}

}  // namespace platform
