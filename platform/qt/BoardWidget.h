#pragma once
// The client area of the main window. Its pixels live in a back buffer that the
// game draws on at once; an expose only copies the buffer to the screen.

#include <QImage>
#include <QWidget>
#include <functional>

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage backBuffer_;
    bool framePainted_ = false;
};

}  // namespace platform
