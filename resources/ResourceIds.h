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

// Controls of the high-score list: row k's name field and score are these plus k.
inline constexpr int IDC_NAME0 = 1012;
inline constexpr int IDC_SCORE0 = 1022;
inline constexpr int IDC_RESET = 1062;

// Controls of the options. A swap mode's radio button is IDC_SWAP_MODE_BASE + the mode.
inline constexpr int IDC_LAST_STACK = 1002;
inline constexpr int IDC_UPSIDE_DOWN = 1003;
inline constexpr int IDC_SOUND_EFFECTS = 1004;
inline constexpr int IDC_GET_FASTER = 1005;
inline constexpr int IDC_DECK52 = 1006;
inline constexpr int IDC_CLEAR_STACKS = 1007;
inline constexpr int IDC_SWAP_MODE_BASE = 1007;
inline constexpr int IDC_DRAW_POKER = 1008;
inline constexpr int IDC_SEVEN_CARD_POKER = 1010;
inline constexpr int IDC_STUD_POKER = 1011;
inline constexpr int IDC_STUFF_BACK = 1035;
inline constexpr int IDC_END_ON_SHUFFLE = 1048;
inline constexpr int IDC_MUSIC = 1055;
inline constexpr int IDC_SHOW_WELCOME = 1059;
inline constexpr int IDC_FOREGROUND_COLOR = 1060;
inline constexpr int IDC_BACKGROUND_COLOR = 1061;
