#pragma once
// Why a game ended.

#include <cstdint>

enum GameOverReason : std::int32_t {
    NoRoom = 0,         // a new card's column is full
    DeckEmptied = 1,    // a one-deck game ran out of cards
    PerpetualHand = 2,  // the deck's last cards would collapse on their own forever
    Abandoned = 4,      // a new game replaced this one
};
