#pragma once
// Identifiers of the program's resources and commands.

// Strings
inline constexpr int IDS_APP_TITLE = 103;
inline constexpr int IDS_WINDOW_CLASS = 109;

// The menu bar and the accelerator table share one identifier.
inline constexpr int IDC_DECKFALL = 109;

// Icons and bitmaps
inline constexpr int IDI_SMALL = 108;
inline constexpr int IDI_DECKFALL = 130;
inline constexpr int IDI_HEART = 136;
inline constexpr int IDI_CLUB = 137;
inline constexpr int IDI_DIAMOND = 138;
inline constexpr int IDI_SPADE = 139;
inline constexpr int IDB_SLOT_RING = 169;
inline constexpr int IDB_SLOT_FRAME = 170;

// Commands
inline constexpr int IDM_ABOUT = 104;
inline constexpr int IDM_EXIT = 105;
inline constexpr int ID_PAUSE = 32772;
inline constexpr int ID_NEW_GAME = 32773;
inline constexpr int ID_OPTIONS = 32774;
inline constexpr int ID_NEXT_LEVEL = 32775;
inline constexpr int ID_HIGH_SCORES = 32776;
inline constexpr int ID_INTRODUCTION = 32777;
inline constexpr int ID_HELP_TOPICS = 32778;
