#include "dialogs/COptionsDlg.h"

#include <memory>

#include "app/GameOptions.h"
#include "app/Utilities.h"
#include "platform/Desktop.h"
#include "platform/Services.h"
#include "resources/ResourceIds.h"

namespace {

// The check boxes and the field each one edits, in the order they are shown.
struct CheckBoxField {
    int id;
    std::int32_t COptionsDlg::*field;
};
constexpr CheckBoxField kCheckBoxes[] = {
    {IDC_SHOW_WELCOME, &COptionsDlg::ShowNagDlg},  {IDC_UPSIDE_DOWN, &COptionsDlg::upsideDown},
    {IDC_LAST_STACK, &COptionsDlg::LastStack},     {IDC_DECK52, &COptionsDlg::deck52},
    {IDC_STUFF_BACK, &COptionsDlg::stuffBack},     {IDC_GET_FASTER, &COptionsDlg::GetFaster},
    {IDC_CLEAR_STACKS, &COptionsDlg::ClearStacks}, {IDC_END_ON_SHUFFLE, &COptionsDlg::EndOnShuffle},
    {IDC_SOUND_EFFECTS, &COptionsDlg::Beep},       {IDC_MUSIC, &COptionsDlg::Music},
};

std::unique_ptr<COptionsDlg> optionsDlg;
// The picker's custom colours, kept for the rest of the run.
platform::ColorPicker::CustomColors customColors{};

void CheckDlgButton(platform::Window* dialog, int id, std::int32_t state) {
    if (platform::Window* control = dialog->GetDlgItem(id)) control->SetCheck(state ? 1 : 0);
}

// Ticks one radio button of first … last and clears the others; an identifier
// without a button clears them all.
void CheckRadioButton(platform::Window* dialog, int first, int last, int checked) {
    for (int id = first; id <= last; ++id)
        if (platform::Window* control = dialog->GetDlgItem(id)) control->SetCheck(id == checked ? 1 : 0);
}

void Enable(platform::Window* dialog, int id, bool enable) {
    if (platform::Window* control = dialog->GetDlgItem(id)) control->EnableWindow(enable);
}

std::int32_t Toggled(std::int32_t flag) {
    return flag == 0 ? 1 : 0;
}

}  // namespace

void COptionsDlg::LoadFromOptions() {
    Beep = GameOptions.Beep;
    Music = GameOptions.Music;
    LastStack = GameOptions.LastStack;
    upsideDown = GameOptions.UpDown == 1 ? 1 : 0;
    deck52 = GameOptions.OneDeck > 0 ? 1 : 0;
    stuffBack = GameOptions.OneDeck == 2 ? 1 : 0;
    GetFaster = GameOptions.GetFaster;
    ClearStacks = GameOptions.ClearStacks;
    EndOnShuffle = GameOptions.EndOnShuffle;
    ShowNagDlg = GameOptions.ShowNagDlg;
    ForegroundColor = GameOptions.ForegroundColor;
    BackgroundColor = GameOptions.BackgroundColor;
    SwapMode = GameOptions.SwapMode;
}

void COptionsDlg::ShowState(platform::Window* dialog) {
    CheckRadioButton(dialog, IDC_DRAW_POKER, IDC_STUD_POKER, IDC_SWAP_MODE_BASE + SwapMode);
    for (const auto& box : kCheckBoxes) CheckDlgButton(dialog, box.id, this->*box.field);
    ShowEnabling(dialog);
    Enable(dialog, IDC_SHOW_WELCOME, true);
}

void COptionsDlg::ShowEnabling(platform::Window* dialog) const {
    Enable(dialog, IDC_STUFF_BACK, deck52 != 0);
    Enable(dialog, IDC_END_ON_SHUFFLE, deck52 != 0 && stuffBack != 0);
}

void COptionsDlg::PickColor(platform::Window* dialog, std::int32_t& color) {
    platform::ColorPicker* picker = platform::Current().colors;
    auto chosen = static_cast<platform::ColorRef>(color);
    if (picker && picker->ChooseColor(dialog, chosen, customColors))
        color = static_cast<std::int32_t>(chosen);
}

bool COptionsDlg::OnCommand(platform::Window* dialog, int id) {
    for (const auto& box : kCheckBoxes)
        if (box.id == id) {
            this->*box.field = Toggled(this->*box.field);
            CheckDlgButton(dialog, id, this->*box.field);
            // The deck's dependent boxes follow it at once.
            if (id == IDC_DECK52 || id == IDC_STUFF_BACK) ShowEnabling(dialog);
            return true;
        }
    if (id >= IDC_DRAW_POKER && id <= IDC_STUD_POKER) {
        SwapMode = id - IDC_SWAP_MODE_BASE;
        CheckRadioButton(dialog, IDC_DRAW_POKER, IDC_STUD_POKER, id);
        return true;
    }
    switch (id) {
        case IDC_FOREGROUND_COLOR:
            PickColor(dialog, ForegroundColor);
            return true;
        case IDC_BACKGROUND_COLOR:
            PickColor(dialog, BackgroundColor);
            return true;
        case platform::IDOK:
            Apply(dialog);
            return true;
        case platform::IDCANCEL:
            dialog->EndDialog(platform::IDCANCEL);
            return true;
        default:
            return false;
    }
}

void COptionsDlg::Apply(platform::Window* dialog) {
    const std::int32_t upDown = upsideDown ? 1 : -1;
    const std::int32_t oneDeck = deck52 ? deck52 + stuffBack : 0;
    const GameOptionsRecord& o = GameOptions;
    const bool changed = o.UpDown != upDown || o.LastStack != LastStack || o.OneDeck != oneDeck ||
                         o.GetFaster != GetFaster || o.ClearStacks != ClearStacks ||
                         o.EndOnShuffle != EndOnShuffle || o.SwapMode != SwapMode ||
                         o.ShowNagDlg != ShowNagDlg || o.BackgroundColor != BackgroundColor ||
                         o.ForegroundColor != ForegroundColor;
    GameOptions.Beep = Beep;
    GameOptions.Music = Music;
    if (!changed) {
        dialog->EndDialog(platform::IDCANCEL);
        return;
    }
    GameOptions.UpDown = upDown;
    GameOptions.LastStack = LastStack;
    GameOptions.OneDeck = oneDeck;
    GameOptions.GetFaster = GetFaster;
    GameOptions.ClearStacks = ClearStacks;
    GameOptions.EndOnShuffle = EndOnShuffle;
    GameOptions.SwapMode = SwapMode;
    GameOptions.ShowNagDlg = ShowNagDlg;
    GameOptions.ForegroundColor = ForegroundColor;
    GameOptions.BackgroundColor = BackgroundColor;
    dialog->EndDialog(platform::IDOK);
}

std::intptr_t OptionsDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                             platform::LPARAM) {
    switch (message) {
        case platform::Msg::InitDialog:
            if (!optionsDlg) optionsDlg = std::make_unique<COptionsDlg>();
            CenterOnParent(dialog);
            optionsDlg->LoadFromOptions();
            optionsDlg->ShowState(dialog);
            return 1;
        case platform::Msg::Command:
            return optionsDlg && optionsDlg->OnCommand(dialog, platform::LoWord(wParam)) ? 1 : 0;
        default:
            return 0;
    }
}
