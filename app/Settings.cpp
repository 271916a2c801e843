#include "app/Settings.h"

#include <cstdint>
#include <vector>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "app/Registry.h"
#include "platform/LastError.h"

namespace {

struct StoredOption {
    const char* name;
    std::int32_t GameOptionsRecord::*field;
    std::uint32_t defaultValue;
};

// In the order they are read and written.
constexpr StoredOption kStoredOptions[] = {
    {"Beep", &GameOptionsRecord::Beep, 1},
    {"Music", &GameOptionsRecord::Music, 1},
    {"ClearStacks", &GameOptionsRecord::ClearStacks, 0},
    {"GetFaster", &GameOptionsRecord::GetFaster, 1},
    {"SwapMode", &GameOptionsRecord::SwapMode, 1},
    {"OneDeck", &GameOptionsRecord::OneDeck, 2},
    {"EndOnShuffle", &GameOptionsRecord::EndOnShuffle, 0},
    {"LastStack", &GameOptionsRecord::LastStack, 1},
    {"UpDown", &GameOptionsRecord::UpDown, 1},
    {"CollapseRegime", &GameOptionsRecord::CollapseRegime, 2},
    {"ShowNagDlg", &GameOptionsRecord::ShowNagDlg, 1},
    {"ForegroundColor", &GameOptionsRecord::ForegroundColor, 0xFF80FF},
    {"BackgroundColor", &GameOptionsRecord::BackgroundColor, 0x400040},
};

struct StoredPlacement {
    const char* name;
    std::int32_t CMainWindow::*field;
    std::uint32_t defaultValue;
};

constexpr StoredPlacement kStoredPlacement[] = {
    {"Top", &CMainWindow::Top, 0},       {"Left", &CMainWindow::Left, 0},
    {"Width", &CMainWindow::Width, 640}, {"Height", &CMainWindow::Height, 500},
    {"MinMax", &CMainWindow::MinMax, 0},
};

std::int32_t ReadSetting(const char* name, std::uint32_t defaultValue) {
    return static_cast<std::int32_t>(ReadRegDword(HKEY_CURRENT_USER, SettingsKey, name, defaultValue));
}

}  // namespace

void LoadSettings(CMainWindow& window) {
    GameOptions.DropInterval = 800;
    for (const auto& option : kStoredOptions)
        GameOptions.*option.field = ReadSetting(option.name, option.defaultValue);
    // The one value not taken as it is: the board is laid out for up or down only, and any
    // other orientation would draw off the window or end every game at its first card, and
    // be saved back at close to do so again at every start.
    if (GameOptions.UpDown != 1 && GameOptions.UpDown != -1) GameOptions.UpDown = 1;
    if (GameOptions.CollapseRegime == 1 || GameOptions.CollapseRegime == 2)
        GameOptions.MinCollapse = 3;
    else if (GameOptions.CollapseRegime == 3)
        GameOptions.MinCollapse = 2;
    for (const auto& placement : kStoredPlacement)
        window.*placement.field = ReadSetting(placement.name, placement.defaultValue);
}

bool SaveSettings(const CMainWindow& window, std::ostream& diagnostics) {
    std::vector<RegDword> values{{"FirstBoot", 0}};
    for (const auto& option : kStoredOptions)
        values.push_back({option.name, static_cast<std::uint32_t>(GameOptions.*option.field)});
    for (const auto& placement : kStoredPlacement)
        values.push_back({placement.name, static_cast<std::uint32_t>(window.*placement.field)});
    // Together, so that another copy holding the store keeps the player waiting once, not
    // at every value, and two copies closing at once cannot mix their window rectangles.
    if (WriteRegDwords(HKEY_CURRENT_USER, SettingsKey, values)) return true;
    diagnostics << "deckfall: the options and the window placement were not saved: "
                << platform::GetLastError().message << std::endl;
    return false;
}

bool IsFirstBoot() {
    return ReadRegDword(HKEY_CURRENT_USER, SettingsKey, "FirstBoot", 1) != 0;
}
