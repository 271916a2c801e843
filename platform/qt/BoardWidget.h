#pragma once
// The client area of the main window. Its pixels live in a back buffer that the
// game draws on at once; a push or an expose copies the buffer to the screen
// through Qt's backing store.

#include <QWidget>
#include <functional>
#include <memory>

#include "platform/qt/Canvas.h"

namespace platform {

class BoardWidget final : public QWidget {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget* parent);

    // The back buffer, at the screen's device-pixel ratio; made anew whenever the board's size changes.
    const std::shared_ptr<Canvas>& BackBuffer() const { return backBuffer_; }
    // Puts the rectangle of the back buffer on the screen before returning.
    void Push(const QRect& rect);

    std::function<void()> onResized;  // the buffer was made anew: paint it whole
    std::function<void(QKeyEvent*)> onKeyPress;
    std::function<void()> onFirstFrame;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::shared_ptr<Canvas> backBuffer_;
    bool framePainted_ = false;
};

}  // namespace platform
