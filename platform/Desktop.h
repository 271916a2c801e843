#pragma once
// The windowing system: window classes and the main window, the message loop,
// message boxes and what the system reports about the screen.

#include <string>
#include <string_view>
#include <vector>

#include "platform/DialogTemplate.h"
#include "platform/Image.h"
#include "platform/Window.h"

namespace platform {

struct MenuItem {
    std::string text;  // with & mnemonics and a \t before the shortcut label; empty: separator
    int command = 0;
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

struct Accelerator {
    enum class Kind { VirtualKey, Character };
    Kind kind = Kind::VirtualKey;
    int key = 0;  // a virtual key, or the character typed
    bool control = false;
    bool alt = false;
    int command = 0;
};

struct WindowClass {
    std::string name;
    WindowProc procedure = nullptr;
    std::vector<Menu> menuBar;
    int largeIcon = 0;  // resource identifiers
    int smallIcon = 0;
};

// MessageBox styles and answers, with their Windows values.
enum MessageBoxStyle : unsigned {
    MB_OK = 0x0,
    MB_YESNO = 0x4,
    MB_ICONINFORMATION = 0x40,
};
enum MessageBoxResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

enum class SystemMetric { ScreenWidth, ScreenHeight, IconWidth, IconHeight };

class Desktop {
public:
    virtual ~Desktop() = default;

    // RegisterClassEx: 0 on failure.
    virtual int RegisterWindowClass(const WindowClass& windowClass) = 0;
    // CreateWindowEx of a top-level window of a registered class at the outer
    // rectangle, shown; null on failure (with the last error set).
    virtual Window* CreateMainWindow(std::string_view className, std::string_view title,
                                     const Rect& outer) = 0;

    // GetMessage, TranslateAccelerator, DispatchMessage until WM_QUIT; returns its code.
    virtual int RunMessageLoop(const std::vector<Accelerator>& accelerators) = 0;
    virtual void PostQuitMessage(int exitCode) = 0;

    // A modal message box (owner null: none) with a nested message loop.
    virtual int MessageBox(Window* owner, std::string_view text, std::string_view caption,
                           unsigned style) = 0;

    virtual int GetSystemMetric(SystemMetric metric) const = 0;

    // DialogBoxParam: builds the dialog from its template, owned by owner, sends it
    // WM_INITDIALOG with the parameter and runs its modal loop until EndDialog;
    // returns the result given to EndDialog, or −1 when the dialog cannot be made.
    virtual std::intptr_t DialogBoxParam(const DialogTemplate& dialog, Window* owner, DialogProc procedure,
                                         LPARAM parameter) = 0;

    // LoadBitmap: a bitmap of the platform's own kind holding the picture.
    virtual std::unique_ptr<Bitmap> CreateBitmap(const Image& picture) = 0;
};

}  // namespace platform
