#pragma once
// What the settings key holds after a save, every value in the order it is saved.

#include <optional>
#include <vector>

#include "app/Settings.h"
#include "platform/SettingsStore.h"

using StoredList = std::vector<std::optional<platform::SettingsValue>>;

inline constexpr const char* kStoredNames[] = {
    "FirstBoot",      "Beep",       "Music",           "ClearStacks",     "GetFaster",
    "SwapMode",       "OneDeck",    "EndOnShuffle",    "LastStack",       "UpDown",
    "CollapseRegime", "ShowNagDlg", "ForegroundColor", "BackgroundColor", "Top",
    "Left",           "Width",      "Height",          "MinMax"};

inline StoredList Stored(platform::SettingsStore& store) {
    StoredList values;
    for (const char* name : kStoredNames) values.push_back(store.ReadValue(SettingsKey, name));
    return values;
}
