#pragma once
// What happens in a game, told as it happens to whoever listens: the simulator
// traces games through it. The program installs no listener.

#include <cstdint>
#include <functional>

struct PlayEvent {
    enum class Kind { Game, Deal, Swap, Land, Level, Over };
    Kind kind = Kind::Game;
    std::int32_t card = 0;       // Deal, Swap: the new card's value
    std::int32_t left = 0;       // Deal, Swap: CardsLeft right after
    bool ok = false;             // Swap: the trade was made
    std::int32_t column = 0;     // Land
    std::int32_t count = 0;      // Land: cards in the column after the push
    std::int32_t collapsed = 0;  // Land: cards collapsed
    std::int32_t hand = 0;       // Land: the hand code
    std::int32_t base = 0;       // Land: base payout
    std::int32_t pay = 0;        // Land: what was paid
    std::int32_t level = 0;      // Level: the level number after the change
    std::int32_t interval = 0;   // Level: the new DropInterval
    std::int32_t cleared = 0;    // Level: card points charged for clearing
    std::int32_t reason = 0;     // Over: the GameOverReason
    std::int32_t winnings = 0;   // Swap, Land, Level, Over
};

using PlayEventSink = std::function<void(const PlayEvent&)>;

// Installs the listener (an empty one removes it); the previous one is returned.
PlayEventSink SetPlayEventSink(PlayEventSink sink);
void ReportPlayEvent(const PlayEvent& event);
