#pragma once
// Poker hands, numbered in their order of precedence when two readings disagree.

#include <cstdint>

enum HandCode : std::int32_t {
    NoHand = 0,
    Straight = 1,
    Flush = 2,
    FullHouse = 3,
    FourOfAKind = 4,        // the top four cards, collapsing alone
    FourOfAKindAndOne = 5,  // four of a kind with the odd card among the top four: all five collapse
    StraightFlush = 6,
    RoyalFlush = 7,
};
