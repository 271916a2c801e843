#pragma once
// Loading and saving the options and the window placement.

#include <iostream>

class CMainWindow;

inline constexpr const char* SettingsKey = "Software\\Quillmoor\\Deckfall";

// Fills GameOptions and the window's placement fields from the store, defaults
// for whatever is missing. Values are taken as they are, but for an UpDown other
// than +1 or −1, which reads as +1.
void LoadSettings(CMainWindow& window);
// Writes "FirstBoot" = 0, every stored option and the placement, all of them or none.
// When none could be, says so in one line on `diagnostics` and returns false.
bool SaveSettings(const CMainWindow& window, std::ostream& diagnostics = std::cerr);
// True until the window has been closed once.
bool IsFirstBoot();
