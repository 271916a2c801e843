#pragma once
// The simulator's player: where the falling card should go. It lands the card
// where the landing pays most, judged by the game's own rules on a copy of each
// stack with the card pushed on it, and otherwise on the lowest stack it can
// reach (ties: the nearest, then the leftmost). It reads the game and never
// draws from the game's random generator.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "cards/CCard.h"
#include "cards/CCardStack.h"

class CBoardLayout;
class CPlayfield;

class SimPolicy {
public:
    static constexpr int kColumns = 7;

    struct Choice {
        int column = 0;
        bool pays = false;  // landing there collapses the column
        std::int32_t base = 0;
    };

    SimPolicy() = default;
    SimPolicy(const SimPolicy&) = delete;
    SimPolicy& operator=(const SimPolicy&) = delete;

    // The game changed that column (a landing), or every column (a new game, a level).
    void MarkChanged(int column);
    void MarkAllChanged() { changed_.fill(true); }

    // The column for the falling card of a running game.
    Choice Choose(const CPlayfield& playfield);

private:
    // The copies never outgrow this; a real stack that does is reported by the checks.
    static constexpr int kCopyHeight = 64;

    void Sync(const CBoardLayout& stacks, int column);
    std::unique_ptr<CCard> Take(std::int32_t value);
    void Give(std::unique_ptr<CCard> card);

    // Per column a copy of the real stack, and its values from the bottom up.
    std::array<CCardStack, kColumns> copies_;
    std::array<std::array<std::int32_t, kCopyHeight>, kColumns> values_{};
    std::array<int, kColumns> heights_{};
    std::array<bool, kColumns> changed_{true, true, true, true, true, true, true};
    // Card objects kept for reuse, by value, so that steady play allocates none.
    std::array<std::vector<std::unique_ptr<CCard>>, kCardCount> spare_;
};
