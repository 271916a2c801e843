#include "dialogs/AboutDlgProc.h"

#include "app/Utilities.h"
#include "platform/Desktop.h"
#include "platform/Window.h"

std::intptr_t AboutDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                           platform::LPARAM) {
    switch (message) {
        case platform::Msg::InitDialog:
            CenterOnParent(dialog);
            return 1;
        case platform::Msg::Command:
            return EndDialogOnOkOrCancel(dialog, wParam) ? 1 : 0;
        default:
            return 0;
    }
}
