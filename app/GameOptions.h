#pragma once
// Every option of the game, in one process-wide record that all parts of the
// game read directly. Each stored field carries the name of its value in the
// settings store. Flags are 0 off and non-zero on.

#include <cstdint>

struct GameOptionsRecord {
    std::int32_t SwapMode = 0;        // 1 draw, 2 the rank's counterpart, 3 seven-card, 4 stud
    std::int32_t OneDeck = 0;         // 0 random cards, 1 one deck, 2 one deck with recycling
    std::int32_t EndOnShuffle = 0;    // with recycling: end the game when the deck runs out
    std::int32_t LastStack = 0;       // a new card enters above the column of the last landing
    std::int32_t UpDown = 0;          // +1 stacks at the bottom, −1 stacks at the top
    std::int32_t CollapseRegime = 0;  // 1 melds, 2 poker hands, 3 twenty-one
    std::int32_t GetFaster = 0;
    std::int32_t ClearStacks = 0;
    std::int32_t ForegroundColor = 0;  // 0x00BBGGRR
    std::int32_t BackgroundColor = 0;  // 0x00BBGGRR
    std::int32_t Beep = 0;
    std::int32_t Music = 0;
    std::int32_t ShowNagDlg = 0;

    // Not stored.
    std::int32_t MinCollapse = 0;   // the fewest cards a collapsing hand has
    std::int32_t DropInterval = 0;  // period of the fall timer, milliseconds

    bool operator==(const GameOptionsRecord&) const = default;
};

extern GameOptionsRecord GameOptions;
