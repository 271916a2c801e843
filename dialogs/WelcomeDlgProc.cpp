#include "dialogs/WelcomeDlgProc.h"

#include "app/Utilities.h"
#include "platform/Desktop.h"
#include "platform/Window.h"

namespace {

// The template is taller than its controls; the rest below OK is cut off.
constexpr int kCutPixels = 200;

}  // namespace

std::intptr_t WelcomeDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                             platform::LPARAM) {
    switch (message) {
        case platform::Msg::InitDialog: {
            CenterOnParent(dialog);
            if (platform::Window* ok = dialog->GetDlgItem(platform::IDOK)) {
                ok->EnableWindow(true);
                ok->SetFocus();
            }
            platform::Rect outer = dialog->GetWindowRect();
            outer.bottom -= kCutPixels;
            dialog->MoveWindow(outer, true);
            CenterOnParent(dialog);
            return 1;
        }
        case platform::Msg::Command:
            return EndDialogOnOkOrCancel(dialog, wParam) ? 1 : 0;
        default:
            return 0;
    }
}
