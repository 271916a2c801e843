#pragma once
// A window of the program as the game code sees it: the main window, a dialog
// or a control of a dialog. It stands where a window handle stands on Windows;
// the platform owns every window, the game only points at them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/DrawingContext.h"
#include "platform/Messages.h"
#include "platform/Types.h"

namespace platform {

enum class ShowCommand { Hide = 0, Normal = 1, Minimized = 2, Maximized = 3, Show = 5 };

// GetWindowPlacement: the outer rectangle the window has when neither
// maximised nor minimised, in screen pixels, and how it is shown now.
struct WindowPlacement {
    ShowCommand showCommand = ShowCommand::Normal;
    Rect normalRect;
};

// What a kind of window does not support answers as Windows answers for it (no
// parent, no control, no timer, nothing drawn): each host overrides what it does.
class Window {
public:
    virtual ~Window() = default;

    // Placement, in screen pixels; the window rectangle includes the frame.
    virtual Window* GetParent() const { return nullptr; }
    virtual Rect GetWindowRect() const = 0;
    virtual Rect GetClientRect() const = 0;  // (0, 0) to the client size
    // SetWindowPos with SWP_NOSIZE | SWP_NOACTIVATE: moves the outer frame to (x, y), on top.
    virtual bool MoveTo(int x, int y) = 0;
    // MoveWindow: the new outer rectangle.
    virtual bool MoveWindow(const Rect& outer, bool repaint) = 0;
    virtual bool ShowWindow(ShowCommand command) = 0;
    virtual WindowPlacement GetWindowPlacement() const { return {ShowCommand::Normal, GetWindowRect()}; }

    virtual std::string GetWindowText() const = 0;
    virtual bool SetWindowText(std::string_view text) = 0;

    // Dialog controls: null when the dialog has no control with that identifier.
    virtual Window* GetDlgItem(int /*id*/) { return nullptr; }
    virtual bool EnableWindow(bool enable) = 0;
    virtual bool IsWindowEnabled() const = 0;
    virtual bool SetFocus() = 0;
    // Check boxes and radio buttons: 1 checked, 0 clear (CheckDlgButton on the control).
    virtual bool SetCheck(int /*state*/) { return false; }
    virtual int GetCheck() const { return 0; }
    // Edit controls: EM_SETREADONLY and EM_LIMITTEXT.
    virtual bool SetReadOnly(bool /*readOnly*/) { return false; }
    virtual bool LimitText(int /*characters*/) { return false; }
    // Ends the modal loop of a dialog with the result (EndDialog).
    virtual bool EndDialog(std::intptr_t /*result*/) { return false; }

    // Drawing. GetDC's context pushes what it changed to the screen when released.
    virtual std::unique_ptr<DrawingContext> GetDC() { return nullptr; }
    // BeginPaint, inside WM_PAINT: a context for the invalid area, which is validated;
    // releasing it (EndPaint) puts the painted area on the screen.
    virtual std::unique_ptr<DrawingContext> BeginPaint() { return nullptr; }
    // Marks the rectangle (null: the whole client area) for the next paint; erase
    // asks for WM_ERASEBKGND before WM_PAINT.
    virtual bool InvalidateRect(const Rect* rect, bool erase) = 0;
    // Delivers the pending erase and paint at once, if anything is invalid.
    virtual bool UpdateWindow() { return true; }

    // Timers deliver WM_TIMER with the identifier; setting a running identifier restarts it.
    virtual bool SetTimer(std::uintptr_t /*id*/, unsigned /*milliseconds*/) { return false; }
    virtual bool KillTimer(std::uintptr_t /*id*/) { return false; }

    // SendMessage runs the window's procedure at once; PostMessage queues the
    // message for the message loop (or for a modal loop running meanwhile).
    virtual LRESULT SendMessage(Msg /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }
    virtual bool PostMessage(Msg /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }
    // What the system does with a message the program leaves to it; for WM_CLOSE
    // that is destroying the window.
    virtual LRESULT DefWindowProc(Msg /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }
    // Destroys the window; its procedure receives WM_DESTROY before this returns.
    virtual bool DestroyWindow() { return false; }
};

// A window procedure: the free function the platform calls with every message.
using WindowProc = LRESULT (*)(Window* window, Msg message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
