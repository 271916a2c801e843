// The three rule sets read from the top of a stack: poker hands against worked
// payouts, melds and twenty-one with their stop rules and scores.

#include <gtest/gtest.h>

#include "app/GameOptions.h"
#include "cards/HandCode.h"
#include "tests/support/StackBuilder.h"

namespace {

void UseRules(std::int32_t regime, std::int32_t minCollapse) {
    GameOptions = {};
    GameOptions.CollapseRegime = regime;
    GameOptions.MinCollapse = minCollapse;
}

struct Reading {
    std::int32_t count = 0;
    std::int32_t hand = 0;
    std::int32_t score = 0;
    friend bool operator==(const Reading&, const Reading&) = default;
};

std::ostream& operator<<(std::ostream& out, const Reading& r) {
    return out << "{count " << r.count << ", hand " << r.hand << ", score " << r.score << "}";
}

Reading Read(std::string_view topFirst) {
    const auto stack = StackOf(Cards(topFirst));
    Reading reading;
    reading.count = stack->Evaluate(&reading.hand);
    // Paid, as in play, only when enough cards collapse.
    if (reading.count > 0 && reading.count >= GameOptions.MinCollapse)
        reading.score = stack->BaseScore(reading.count);
    return reading;
}

// Worked payouts pin each hand, its base, the pip sum's share and the rounding down.
TEST(PokerRules, WorkedPayoutsAndTheirLimits) {
    UseRules(2, 3);
    const struct {
        const char* cards;
        Reading expected;
    } rows[] = {
        {"TH JH QH KH AH", {5, RoyalFlush, 2000}},
        {"AC 2C 3C 4C 5C", {5, StraightFlush, 625}},
        {"5C 6C 7C 8C 9C", {5, StraightFlush, 791}},
        {"KC KD KH KS 2C", {4, FourOfAKind, 208}},  // the Two stays
        {"AC AD AH AS", {4, FourOfAKind, 216}},
        {"2C KD 2D 2H 2S", {5, FourOfAKindAndOne, 101}},
        {"5C QD 5D 5H 5S", {5, FourOfAKindAndOne, 114}},  // 115 exactly, just short in doubles
        {"KC KD KH 2C 2S", {5, FullHouse, 85}},
        {"2D 5D 7D 9D JD", {5, Flush, 15}},
        {"TC JH QC KC AC", {5, Straight, 40}},
        {"AC 2H 3C 4C 5C", {5, Straight, 25}},
        {"KH KH KH 2H 2H", {5, Flush, 17}},  // repeated cards: one suit outranks a full house
        {"2C TH JH QH KH AH", {}},           // a hand under a sixth card
        {"TH JH QH KH", {}},                 // four cards of one suit
        {"QC KH AC 2C 3S", {}},              // no run over the King
        {"7C 7H 7S 2C 2S 9S", {5, FullHouse, 70}},
        {"7C 7H 7S 2C 9S", {}},
        {"KC KD 2H 2S", {}},     // two ranks in four cards
        {"2C 2D 3H 3S 4C", {}},  // two pairs
    };
    for (const auto& row : rows) EXPECT_EQ(Read(row.cards), row.expected) << row.cards;
}

// Melds read across gaps a later card may close and stop at a mismatch. Cards count 5 (Two
// to Nine) or 10; aces 15 only beside a King among the collapsing cards, or among aces only;
// each card beyond three doubles the payout.
TEST(MeldRules, SetsAndRunsReadAcrossGapsStopAtAMismatchAndScore) {
    UseRules(1, 3);
    const struct {
        const char* cards;
        std::int32_t length, score;
    } melds[] = {
        {"7C 7H 7S", 3, 15},    {"7H 8H 9H", 3, 15},   {"5H 7H 6H", 3, 15},    {"5H 7H 9H 6H 8H", 5, 100},
        {"7H 8S 9H", 1, 0},     {"7H 8H 9S 6H", 2, 0}, {"7H 7C 8C 7S", 2, 0},  {"6H 7H 8H 2C", 3, 15},
        {"QC KC AC", 3, 35},    {"AC 2C 3C", 3, 15},   {"KC AC 2C", 2, 0},     {"", 0, 0},
        {"AC AH AS", 3, 45},    {"KC QC JC", 3, 30},   {"2C 3C 4C 5C", 4, 40}, {"9C TC JC QC KC", 5, 180},
        {"AC 2C 3C KH", 3, 15},
    };
    for (const auto& meld : melds)
        EXPECT_EQ(Read(meld.cards), (Reading{meld.length, NoHand, meld.score})) << meld.cards;
}

// Twenty-one collapses the top cards up to an exact 21, an ace 1 or 11, whichever takes
// more; two cards pay double.
TEST(TwentyOneRules, FirstExactTwentyOneFromTheTopAcesEitherWay) {
    UseRules(3, 2);
    const std::pair<const char*, Reading> rows[] = {
        {"AC KH", {2, 0, 42}},    {"KH AC 5C", {2, 0, 42}},    {"TC 5H 6S", {3, 0, 21}},
        {"KC QH 5S 6S", {}},      {"5C 5H AS JS", {4, 0, 21}}, {"", {}},
        {"TC AH KS", {3, 0, 21}},  // 21 after two cards with the ace high, after three with it low
    };
    for (const auto& [cards, expected] : rows) EXPECT_EQ(Read(cards), expected) << cards;
}

}  // namespace
