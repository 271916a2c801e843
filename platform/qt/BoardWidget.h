#pragma once
// The client area of the main window. Its pixels live in a back buffer that the
// game draws on at once; an expose only copies the buffer to the screen. On X11 the
// copy goes straight into the board's own X window; elsewhere through Qt's backing store.

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/qt/X11WindowWriter.h"

namespace platform {

class BoardWidget final : public QWidget {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget* parent);

    QImage& BackBuffer() { return backBuffer_; }
    // Puts the rectangle of the back buffer on the screen before returning.
    void Push(const QRect& rect);

    std::function<void()> onResized;  // the buffer was made anew: paint it whole
    std::function<void(QKeyEvent*)> onKeyPress;
    std::function<void()> onFirstFrame;

    // No painter while the board paints straight into its X window.
    QPaintEngine* paintEngine() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF DevicePixels(const QRect& logical) const;
    // The board's X window, made at first use; null (and Qt paints) where there is none.
    X11WindowWriter* Screen();
    void PaintOnScreen(const QRegion& region);

    bool onScreen_ = false;
    std::unique_ptr<X11WindowWriter> screen_;
    // The back buffer's memory when the X server shares it; else the image owns its own.
    std::unique_ptr<X11SharedImage> sharedBuffer_;
    QImage backBuffer_;
    bool framePainted_ = false;
};

}  // namespace platform
