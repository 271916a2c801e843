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

bool BoardWidget::event(QEvent* event) {
    // A new X window for the board (Qt makes one anew on some changes) needs its own writer.
    if (event->type() == QEvent::WinIdChange) screen_.reset();
    return QWidget::event(event);
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

X11WindowWriter* BoardWidget::Screen() {
    if (onScreen_ && !screen_) {
        screen_ = X11WindowWriter::Create(winId());
        if (!screen_) {
            // An X server that lays pixels out otherwise: Qt's backing store converts them.
            onScreen_ = false;
            setAttribute(Qt::WA_PaintOnScreen, false);
            update();
        }
    }
    return screen_.get();
}

void BoardWidget::PaintOnScreen(const QRegion& region) {
    X11WindowWriter* screen = Screen();
    if (!screen) return;
    for (const QRect& rect : region)
        screen->Put(backBuffer_, DevicePixels(rect).toAlignedRect(), sharedBuffer_.get());
}

void BoardWidget::resizeEvent(QResizeEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(qRound(width() * ratio), qRound(height() * ratio));
    if (backBuffer_.size() == pixels && backBuffer_.devicePixelRatio() == ratio) return;
    std::unique_ptr<X11SharedImage> shared = Screen() ? screen_->CreateSharedImage(pixels) : nullptr;
    backBuffer_ = shared ? QImage(shared->Bits(), pixels.width(), pixels.height(), QImage::Format_RGB32)
                         : QImage(pixels, QImage::Format_RGB32);
    // The image that used the old shared memory is gone: the memory may go too.
    sharedBuffer_ = std::move(shared);
    backBuffer_.setDevicePixelRatio(ratio);
    backBuffer_.fill(Qt::black);
    if (onResized) onResized();
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    if (onKeyPress) onKeyPress(event);
}

}  // namespace platform
