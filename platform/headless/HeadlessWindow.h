#pragma once
// A window without a screen: its client area is an Image, its title history and
// every drawing call are recorded, its timers run on the virtual clock.

#include <map>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "platform/headless/RasterContext.h"

namespace platform {

class HeadlessDesktop;

class HeadlessWindow final : public Window {
public:
    // A framed window has a title and menu bar around its client area; a control has none.
    HeadlessWindow(HeadlessDesktop& desktop, WindowProc procedure, std::string title, const Rect& outer,
                   HeadlessWindow* parent = nullptr, bool framed = true);
    ~HeadlessWindow() override;

    Window* GetParent() const override { return parent_; }
    Rect GetWindowRect() const override { return outer_; }
    Rect GetClientRect() const override;
    bool MoveTo(int x, int y) override;
    bool MoveWindow(const Rect& outer, bool repaint) override;
    bool ShowWindow(ShowCommand command) override;
    WindowPlacement GetWindowPlacement() const override;
    std::string GetWindowText() const override { return title_; }
    bool SetWindowText(std::string_view text) override;
    Window* GetDlgItem(int id) override;
    bool EnableWindow(bool enable) override;
    bool IsWindowEnabled() const override { return enabled_; }
    bool SetFocus() override;
    bool SetCheck(int state) override;
    int GetCheck() const override { return check_; }
    bool SetReadOnly(bool readOnly) override;
    bool LimitText(int characters) override;
    bool EndDialog(std::intptr_t result) override;
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

    // What tests look at.
    const Image& Pixels() const { return pixels_; }
    std::vector<DrawCall>& DrawCalls() { return drawCalls_; }
    const std::vector<std::string>& Titles() const { return titles_; }
    ShowCommand ShowState() const { return showState_; }
    bool IsDestroyed() const { return destroyed_; }
    bool IsInvalid() const { return invalid_; }
    bool IsEnabled() const { return enabled_; }
    bool HasFocus() const { return focused_; }
    // The running timers: identifier → period in milliseconds.
    const std::map<std::uintptr_t, unsigned>& Timers() const { return timers_; }
    // Rectangles pushed to the "screen" by released contexts, in order.
    const std::vector<Rect>& Pushes() const { return pushes_; }
    // For whole games by the thousand: no pixels, no record of calls; the bounds are still checked.
    void SetRasterising(bool rasterise) { rasterise_ = rasterise; }
    void SetRecording(bool record) { recording_ = record; }
    void ForgetHistory() {
        drawCalls_.clear();
        titles_.clear();
        pushes_.clear();
    }
    // Drawing calls that reached outside the client area.
    int OutsideDraws() const { return outsideDraws_; }
    // Adds a dialog control of its template (a dialog's child).
    HeadlessWindow& AddControl(const DialogControl& control);
    // The player's hand on a dialog: a click on a control, which ticks an automatic
    // check box or radio button before the dialog hears of it, and typing at the end
    // of an edit, which a read-only edit refuses and a limited one cuts at its limit.
    void Click(int id);
    void Type(int id, std::string_view text);
    bool IsReadOnly() const { return readOnly_; }
    int TextLimit() const { return textLimit_; }
    bool DialogEnded() const { return dialogEnded_; }
    std::intptr_t DialogResult() const { return dialogResult_; }
    // The window that has the focus among this dialog's controls, if any.
    HeadlessWindow* FocusedControl();

    // The frame around the client area: client = outer minus these.
    static constexpr int kFrameX = 4;
    static constexpr int kFrameTop = 42;  // title bar and menu bar
    static constexpr int kFrameBottom = 4;

private:
    friend class HeadlessDesktop;
    void ResizeBuffer();

    HeadlessDesktop& desktop_;
    WindowProc procedure_;
    std::string title_;
    Rect outer_;
    Rect normal_;
    HeadlessWindow* parent_;
    bool framed_;
    ShowCommand showState_ = ShowCommand::Normal;
    bool destroyed_ = false;
    bool enabled_ = true;
    bool focused_ = false;
    bool rasterise_ = true;
    bool recording_ = true;
    int outsideDraws_ = 0;
    DialogControl::Kind kind_ = DialogControl::Kind::Static;
    bool readOnly_ = false;
    int check_ = 0;
    int textLimit_ = 0;
    bool dialogEnded_ = false;
    std::intptr_t dialogResult_ = 0;
    bool invalid_ = false;
    bool eraseWanted_ = false;
    Image pixels_;
    std::vector<DrawCall> drawCalls_;
    std::vector<std::string> titles_;
    std::vector<Rect> pushes_;
    std::map<std::uintptr_t, unsigned> timers_;
    std::map<std::uintptr_t, std::uint64_t> timerDue_;
    std::map<int, std::unique_ptr<HeadlessWindow>> controls_;
};

}  // namespace platform
