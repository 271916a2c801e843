#pragma once
// Rules that must hold whatever the player does, tested at every game event:
// with a recycling deck the cards in existence (deck, falling card and stacks)
// change only as the rules say (a reshuffle adds 52 and keeps at most 52 of the
// cards left; a trade for an equal card, a card stuffed into a full deck and
// cleared stacks take cards out); no stack holds more than 13 cards; the deck
// holds 0 to 104 cards (−1 once shown empty).

#include <cstdint>
#include <string>

#include "engine/PlayEvents.h"

class CPlayfield;

class SimChecker {
public:
    static constexpr int kMaxHeight = 13;

    // `playfield` is the game's, or null while the game's first card is dealt.
    // False, with one line in `breach`, at the first broken rule.
    bool OnEvent(const PlayEvent& event, const CPlayfield* playfield, std::string& breach);

private:
    struct Census {
        std::int32_t deck = 0;
        std::int32_t falling = 0;
        std::int32_t stacks = 0;
        std::int32_t Total() const { return deck + falling + stacks; }
    };
    static Census Count(const CPlayfield* playfield, const PlayEvent& event);
    bool CheckTotal(const PlayEvent& event, const Census& now, std::string& breach);

    bool counted_ = false;  // the game's first card has been dealt
    Census last_;
    std::int32_t fallingValue_ = -1;
};
