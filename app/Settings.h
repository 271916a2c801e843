#pragma once
// Loading and saving the options and the window placement.

class CMainWindow;

inline constexpr const char* SettingsKey = "Software\\Quillmoor\\Deckfall";

// Fills GameOptions and the window's placement fields from the store, defaults
// for whatever is missing. Nothing is validated.
void LoadSettings(CMainWindow& window);
// Writes "FirstBoot" = 0, every stored option and the placement.
void SaveSettings(const CMainWindow& window);
// True until the window has been closed once.
bool IsFirstBoot();
