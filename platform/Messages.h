#pragma once
// The messages a window procedure receives, with the numbers Windows gives
// them, and the small codes that travel inside them.

#include <cstdint>

namespace platform {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

enum class Msg : std::uint32_t {
    Destroy = 0x0002,
    SetFocus = 0x0007,
    KillFocus = 0x0008,
    Paint = 0x000F,
    Close = 0x0010,
    EraseBackground = 0x0014,  // wParam: DrawingContext* of the window
    EndSession = 0x0016,
    KeyDown = 0x0100,     // wParam: virtual key
    InitDialog = 0x0110,  // lParam: the dialog's creation parameter
    Command = 0x0111,     // low word of wParam: command or control identifier
    Timer = 0x0113,       // wParam: timer identifier
    InitMenu = 0x0116,
    MenuSelect = 0x011F,   // wParam 0xFFFF0000 and lParam 0: the menu has closed
    Sizing = 0x0214,       // wParam: SizingEdge; lParam: Rect* of the proposed outer rectangle
    MusicNotify = 0x03B9,  // wParam: MusicNotifyCode
};

// The border being dragged, as WM_SIZING reports it.
enum SizingEdge : WPARAM {
    WMSZ_LEFT = 1,
    WMSZ_RIGHT = 2,
    WMSZ_TOP = 3,
    WMSZ_TOPLEFT = 4,
    WMSZ_TOPRIGHT = 5,
    WMSZ_BOTTOM = 6,
    WMSZ_BOTTOMLEFT = 7,
    WMSZ_BOTTOMRIGHT = 8,
};

// Virtual-key codes of the keys the game knows.
enum VirtualKey : WPARAM {
    VK_CLEAR = 0x0C,  // keypad 5 with Num Lock off
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD2 = 0x62,
    VK_NUMPAD4 = 0x64,
    VK_NUMPAD5 = 0x65,
    VK_NUMPAD6 = 0x66,
    VK_NUMPAD8 = 0x68,
    VK_NUMPAD9 = 0x69,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
};

constexpr std::uint16_t LoWord(WPARAM w) {
    return static_cast<std::uint16_t>(w & 0xFFFF);
}
constexpr std::uint16_t HiWord(WPARAM w) {
    return static_cast<std::uint16_t>((w >> 16) & 0xFFFF);
}
constexpr WPARAM MakeWParam(std::uint16_t low, std::uint16_t high) {
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}

enum MusicNotifyCode : WPARAM {
    MCI_NOTIFY_SUCCESSFUL = 1,
    MCI_NOTIFY_ABORTED = 4,
};

}  // namespace platform
