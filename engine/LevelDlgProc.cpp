#include "engine/LevelDlgProc.h"

#include "app/GameOptions.h"
#include "app/Utilities.h"
#include "platform/Desktop.h"
#include "sound/PlayTone.h"

namespace {

constexpr std::uintptr_t kCloseTimer = 2;
constexpr unsigned kShownFor = 1000;
constexpr int kTones = 25;

}  // namespace

std::intptr_t LevelDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                           platform::LPARAM) {
    switch (message) {
        case platform::Msg::InitDialog:
            dialog->SetTimer(kCloseTimer, kShownFor);
            CenterOnParent(dialog);
            for (int i = 0; i < kTones; ++i)
                PlayTone(static_cast<std::uint32_t>(880 + 40 * i), 5, GameOptions.Beep);
            return 1;
        case platform::Msg::Command: {
            const int id = platform::LoWord(wParam);
            if (id != platform::IDOK && id != platform::IDCANCEL) return 0;
            dialog->KillTimer(kCloseTimer);
            dialog->EndDialog(id);
            return 1;
        }
        case platform::Msg::Timer:
            dialog->PostMessage(platform::Msg::Command, platform::IDOK, 0);
            return 1;
        default:
            return 0;
    }
}
