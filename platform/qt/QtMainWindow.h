#pragma once
// The main window of the Qt host: turns Qt's events into the window messages the
// game's window procedure expects, and carries out what the game asks of its window.

#include <QMainWindow>
#include <map>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Window.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/WindowTimers.h"

namespace platform {

class QtMainWindow final : public QMainWindow, public Window {
    Q_OBJECT
public:
    QtMainWindow(WindowProc procedure, const WindowClass& windowClass, const QString& title,
                 const Rect& outer);
    ~QtMainWindow() override;

    Rect GetWindowRect() const override;
    Rect GetClientRect() const override;
    bool MoveTo(int x, int y) override;
    bool MoveWindow(const Rect& outer, bool repaint) override;
    bool ShowWindow(ShowCommand command) override;
    WindowPlacement GetWindowPlacement() const override;
    std::string GetWindowText() const override;
    bool SetWindowText(std::string_view text) override;
    bool EnableWindow(bool enable) override;
    bool IsWindowEnabled() const override { return isEnabled(); }
    bool SetFocus() override;
    std::unique_ptr<DrawingContext> GetDC() override;
    std::unique_ptr<DrawingContext> BeginPaint() override;
    bool InvalidateRect(const Rect* rect, bool erase) override;
    bool UpdateWindow() override;
    bool SetTimer(std::uintptr_t id, unsigned milliseconds) override;
    bool KillTimer(std::uintptr_t id) override;
    LRESULT SendMessage(Msg message, WPARAM wParam, LPARAM lParam) override;
    bool PostMessage(Msg message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(Msg message, WPARAM wParam, LPARAM lParam) override;
    bool DestroyWindow() override;

    bool IsDestroyed() const { return destroyed_; }

    // The game's identifier of one of the window's Qt timers.
    std::optional<std::uintptr_t> GameTimer(int qtTimerId) const { return timers_.Find(qtTimerId); }
    // TranslateAccelerator: a key of the table becomes its command before key-down handling.
    bool TranslateAccelerator(const QKeyEvent& event, const std::vector<Accelerator>& table);
    BoardWidget& Board() { return *board_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenuBar(const std::vector<Menu>& menus);
    void MenuOpened();
    void MenuClosed();
    void CloseMenuOnceSettled();
    void OnKeyPress(QKeyEvent* event);
    void PaintInvalid();
    void WaitForFrame();
    // Until the frame has left the rectangle it had, at most a second.
    void WaitForGeometry(const QRect& before);
    void UpdateMinimumSize();
    void ApplyOuterRect(const Rect& outer);
    void TrackNormalRect();

    WindowProc procedure_;
    BoardWidget* board_;  // owned by Qt as the central widget
    Rect normalRect_;
    Rect lastFrame_;
    bool destroyed_ = false;
    bool invalid_ = false;
    bool eraseWanted_ = false;
    bool paintQueued_ = false;
    bool menuOpen_ = false;
    bool framed_ = false;
    // On Wayland the compositor places top-level windows: a window neither learns nor sets
    // its position, only its size and state.
    const bool placedByCompositor_;
    WindowTimers timers_;
};

}  // namespace platform
