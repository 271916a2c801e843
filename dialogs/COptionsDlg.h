#pragma once
// The options dialog (dialog 131): a working copy of GameOptions that reaches them
// only on OK. Sound effects and music are taken over on every OK; the dialog ends
// with IDOK only when a rule, a colour or the welcome box changed as well, which
// tells the caller to start a new game under the new options.

#include <cstdint>

#include "platform/DialogTemplate.h"
#include "platform/Window.h"

class COptionsDlg {
public:
    virtual ~COptionsDlg() = default;

    void LoadFromOptions();
    void ShowState(platform::Window* dialog);
    bool OnCommand(platform::Window* dialog, int id);
    void Apply(platform::Window* dialog);

    // Flags hold 0 or 1 once toggled; loaded values are kept as they are until then.
    std::int32_t Beep = 0;
    std::int32_t Music = 0;
    std::int32_t LastStack = 0;
    std::int32_t upsideDown = 0;  // the box is ticked in the usual orientation, stacks at the bottom
    std::int32_t deck52 = 0;
    std::int32_t stuffBack = 0;
    std::int32_t GetFaster = 0;
    std::int32_t ClearStacks = 0;
    std::int32_t EndOnShuffle = 0;
    std::int32_t ShowNagDlg = 0;
    std::int32_t ForegroundColor = 0;
    std::int32_t BackgroundColor = 0;
    std::int32_t SwapMode = 0;

private:
    void ShowEnabling(platform::Window* dialog) const;
    void PickColor(platform::Window* dialog, std::int32_t& color);
};

std::intptr_t OptionsDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                             platform::LPARAM lParam);
