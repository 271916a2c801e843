// The three rule sets read from the top of a stack: poker hands against the
// worked payouts and against a second classifier built another way, melds and
// twenty-one with their stop rules and scores.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>

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

Reading Read(const std::vector<std::int32_t>& topFirst) {
    const auto stack = StackOf(topFirst);
    Reading reading;
    reading.count = stack->Evaluate(&reading.hand);
    // Paid, as in play, only when enough cards collapse.
    if (reading.count > 0 && reading.count >= GameOptions.MinCollapse)
        reading.score = stack->BaseScore(reading.count);
    return reading;
}

Reading Read(std::string_view topFirst) {
    return Read(Cards(topFirst));
}

// Poker by sorting and counting the top five, as a player would.
Reading ClassifyPoker(const std::vector<std::int32_t>& topFirst) {
    const std::size_t depth = std::min<std::size_t>(topFirst.size(), 5);
    if (depth < 4) return {};
    const std::vector<std::int32_t> top(topFirst.begin(), topFirst.begin() + depth);
    auto rank = [](std::int32_t v) { return v / 4; };
    auto pips = [](std::int32_t r, bool aceLow) { return r == 0 ? (aceLow ? 1 : 14) : r + 1; };
    constexpr std::array<double, 8> base = {0, 20, 10, 50, 100, 75, 500, 1000};
    auto pay = [&](std::int32_t code, int sum) {
        return static_cast<std::int32_t>(base[code] * (sum / 60.0 + 1.0));
    };

    if (std::all_of(top.begin(), top.begin() + 4, [&](auto v) { return rank(v) == rank(top[0]); }))
        return {4, FourOfAKind, pay(FourOfAKind, 5 * pips(rank(top[0]), false))};
    if (depth < 5) return {};

    std::vector<int> ranks;
    std::map<int, int> perRank;
    for (auto v : top) {
        ranks.push_back(rank(v));
        ++perRank[rank(v)];
    }
    std::sort(ranks.begin(), ranks.end());
    std::vector<int> groups;
    for (auto [r, n] : perRank) groups.push_back(n);
    std::sort(groups.rbegin(), groups.rend());
    const bool oneSuit = std::all_of(top.begin(), top.end(), [&](auto v) { return v % 4 == top[0] % 4; });
    const bool wheel = ranks == std::vector<int>{0, 1, 2, 3, 4};
    const bool broadway = ranks == std::vector<int>{0, 9, 10, 11, 12};
    const bool run = groups.size() == 5 && (ranks[4] - ranks[0] == 4 || broadway);

    std::int32_t code = NoHand;
    if (oneSuit)
        code = run ? (broadway ? RoyalFlush : StraightFlush) : Flush;
    else if (groups == std::vector<int>{4, 1})
        code = FourOfAKindAndOne;
    else if (groups == std::vector<int>{3, 2})
        code = FullHouse;
    else if (run)
        code = Straight;
    if (code == NoHand) return {};
    int sum = 0;
    for (auto v : top) sum += pips(rank(v), wheel);
    return {5, code, pay(code, sum)};
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
    };
    for (const auto& row : rows) EXPECT_EQ(Read(row.cards), row.expected) << row.cards;
}

// A classifier written another way finds the cases no hand-picked table thinks of.
TEST(PokerRules, AgreeWithASecondClassifierOnRandomStacks) {
    // Random stacks, repeated cards included, read by the game and by ClassifyPoker.
    UseRules(2, 3);
    std::mt19937 random(20240607);
    auto uniform = [&](int high) { return std::uniform_int_distribution<int>(0, high - 1)(random); };
    std::map<std::int32_t, int> handsSeen;
    for (int trial = 0; trial < 60000; ++trial) {
        const int size = uniform(9);
        // Narrow pools make the rarer hands common: a window of five ranks (wrapping
        // past the King) and one or two suits, or only two ranks.
        const int pool = uniform(3);
        const int firstRank = uniform(13);
        const int otherRank = uniform(13);
        const int suit = uniform(4);
        const int suits = 1 + uniform(2);
        std::vector<std::int32_t> topFirst;
        for (int i = 0; i < size; ++i) {
            if (pool == 0)
                topFirst.push_back(uniform(52));
            else if (pool == 1)
                topFirst.push_back(MakeCard((firstRank + uniform(5)) % 13, (suit + uniform(suits)) % 4));
            else
                topFirst.push_back(MakeCard(uniform(2) ? firstRank : otherRank, uniform(4)));
        }
        const Reading expected = ClassifyPoker(topFirst);
        ASSERT_EQ(Read(topFirst), expected) << "stack " << testing::PrintToString(topFirst);
        ++handsSeen[expected.hand];
    }
    for (std::int32_t code = NoHand; code <= RoyalFlush; ++code) EXPECT_GT(handsSeen[code], 20) << code;
}

// Melds read across gaps a later card may close, stop at a mismatch, and pay by length.
TEST(MeldRules, SetsAndRunsReadAcrossGapsStopAtAMismatchAndScore) {
    UseRules(1, 3);
    const struct {
        const char* cards;
        std::int32_t length;
    } melds[] = {
        {"7C 7H 7S", 3}, {"7H 8H 9H", 3},    {"5H 7H 6H", 3},    {"5H 7H 9H 6H 8H", 5},
        {"7H 8S 9H", 1}, {"7H 8H 9S 6H", 2}, {"7H 7C 8C 7S", 2}, {"6H 7H 8H 2C", 3},
        {"QC KC AC", 3}, {"AC 2C 3C", 3},    {"KC AC 2C", 2},    {"", 0},
    };
    for (const auto& meld : melds) EXPECT_EQ(Read(meld.cards).count, meld.length) << meld.cards;
    const auto queenKingAce = StackOf(Cards("QC KC AC"));
    EXPECT_EQ(queenKingAce->MeldLength(false), 2);
    EXPECT_EQ(queenKingAce->MeldLength(true), 3);

    // Aces count 15 only beside a King among the collapsing cards, or among aces only.
    EXPECT_EQ(Read("AC AH AS"), (Reading{3, NoHand, 45}));
    EXPECT_EQ(Read("KC QC JC").score, 30);
    EXPECT_EQ(Read("2C 3C 4C 5C").score, 40);
    EXPECT_EQ(Read("QC KC AC").score, 35);
    EXPECT_EQ(Read("9C TC JC QC KC").score, 180);
    EXPECT_EQ(Read("AC 2C 3C KH").score, 15);
}

// Twenty-one collapses the top cards up to an exact 21, an ace 1 or 11, whichever takes more.
TEST(TwentyOneRules, FirstExactTwentyOneFromTheTopAcesEitherWay) {
    UseRules(3, 2);
    EXPECT_EQ(Read("AC KH"), (Reading{2, 0, 42}));
    EXPECT_EQ(Read("KH AC 5C"), (Reading{2, 0, 42}));
    EXPECT_EQ(Read("TC 5H 6S"), (Reading{3, 0, 21}));
    EXPECT_EQ(Read("KC QH 5S 6S"), Reading{});
    EXPECT_EQ(Read("5C 5H AS JS"), (Reading{4, 0, 21}));
    EXPECT_EQ(Read(""), Reading{});
    // Ten, Ace, King: 21 after two cards with the ace high, after three with it low.
    const auto tenAceKing = StackOf(Cards("TC AH KS"));
    EXPECT_EQ(tenAceKing->TwentyOneLength(true), 2);
    EXPECT_EQ(tenAceKing->TwentyOneLength(false), 3);
    EXPECT_EQ(tenAceKing->Evaluate(), 3);
}

}  // namespace
