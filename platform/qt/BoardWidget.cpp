#include "platform/qt/BoardWidget.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

namespace platform {

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel comes from the back buffer: no background fill by Qt, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // A push is one card's rectangle several times a second: through the backing store
    // it would be copied twice and cost twice the CPU.
    onScreen_ = QGuiApplication::platformName() == QLatin1String("xcb");
    if (onScreen_) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
    }
}

QPaintEngine* BoardWidget::paintEngine() const {
    return onScreen_ ? nullptr : QWidget::paintEngine();
}

void BoardWidget::Push(const QRect& rect) {
    repaint(rect);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    if (onScreen_) {
        PaintOnScreen(event->region());
    } else {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRectF(event->rect()), backBuffer_, DevicePixels(event->rect()));
    }
    if (!framePainted_ && isVisible()) {
        framePainted_ = true;
        if (onFirstFrame) onFirstFrame();
    }
}

QRectF BoardWidget::DevicePixels(const QRect& logical) const {
    const qreal ratio = backBuffer_.devicePixelRatio();
    return {logical.x() * ratio, logical.y() * ratio, logical.width() * ratio, logical.height() * ratio};
}

void BoardWidget::PaintOnScreen(const QRegion& region) {
    if (!screen_) screen_ = X11WindowWriter::Create(winId());
    bool written = screen_ != nullptr;
    for (const QRect& rect : region)
        written = written && screen_->Put(backBuffer_, DevicePixels(rect).toAlignedRect());
    if (written) return;
    // An X server that lays pixels out otherwise: Qt's backing store converts them.
    onScreen_ = false;
    screen_.reset();
    setAttribute(Qt::WA_PaintOnScreen, false);
    update();
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
