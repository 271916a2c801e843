// The three rule sets read from the top of a stack: poker hands against the
// worked payouts and against a second classifier built another way, melds and
// twenty-one with their stop rules and scores.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>

#include "app/GameOptions.h"
#include "cards/HandCode.h"
#include "cards/RankMask.h"
#include "tests/cards/StackBuilder.h"

namespace {

constexpr std::int32_t C(Rank rank, Suit suit) {
    return MakeCard(rank, suit);
}

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

// Poker by sorting and counting the top five, as a player would.
Reading ClassifyPoker(const std::vector<std::int32_t>& topFirst) {
    const std::size_t depth = std::min<std::size_t>(topFirst.size(), 5);
    if (depth < 4)
        return {};
    const std::vector<std::int32_t> top(topFirst.begin(), topFirst.begin() + depth);
    auto rank = [](std::int32_t v) { return v / 4; };
    auto pips = [](std::int32_t r, bool aceLow) { return r == 0 ? (aceLow ? 1 : 14) : r + 1; };
    constexpr std::array<double, 8> base = {0, 20, 10, 50, 100, 75, 500, 1000};
    auto pay = [&](std::int32_t code, int sum) {
        return static_cast<std::int32_t>(base[code] * (sum / 60.0 + 1.0));
    };

    if (std::all_of(top.begin(), top.begin() + 4, [&](auto v) { return rank(v) == rank(top[0]); }))
        return {4, FourOfAKind, pay(FourOfAKind, 5 * pips(rank(top[0]), false))};
    if (depth < 5)
        return {};

    std::vector<int> ranks;
    std::map<int, int> perRank;
    for (auto v : top) {
        ranks.push_back(rank(v));
        ++perRank[rank(v)];
    }
    std::sort(ranks.begin(), ranks.end());
    std::vector<int> groups;
    for (auto [r, n] : perRank)
        groups.push_back(n);
    std::sort(groups.rbegin(), groups.rend());
    const bool oneSuit =
        std::all_of(top.begin(), top.end(), [&](auto v) { return v % 4 == top[0] % 4; });
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
    if (code == NoHand)
        return {};
    int sum = 0;
    for (auto v : top)
        sum += pips(rank(v), wheel);
    return {5, code, pay(code, sum)};
}

TEST(RankMask, CountsBitsAndUnbrokenRuns) {
    EXPECT_EQ(BitCount(0b1011'0000'0000u), 3);
    EXPECT_EQ(RunLength(0b11111u << 9), 5);
    EXPECT_EQ(RunLength(1u << 13), 1);
    EXPECT_EQ(RunLength(0b1101u), 0);
    EXPECT_EQ(RunLength(0xFFFFFFFFu), 32);
}

TEST(PokerRules, WorkedPayouts) {
    UseRules(2, 3);
    const struct {
        const char* name;
        std::vector<std::int32_t> topFirst;
        Reading expected;
    } rows[] = {
        {"royal flush",
         {C(kTen, kHearts), C(kJack, kHearts), C(kQueen, kHearts), C(kKing, kHearts),
          C(kAce, kHearts)},
         {5, RoyalFlush, 2000}},
        {"royal flush in any order",
         {C(kAce, kSpades), C(kQueen, kSpades), C(kTen, kSpades), C(kKing, kSpades),
          C(kJack, kSpades)},
         {5, RoyalFlush, 2000}},
        {"ace to five of one suit",
         {C(kAce, kClubs), C(kTwo, kClubs), C(kThree, kClubs), C(kFour, kClubs), C(kFive, kClubs)},
         {5, StraightFlush, 625}},
        {"five to nine of one suit",
         {C(kFive, kClubs), C(kSix, kClubs), C(kSeven, kClubs), C(kEight, kClubs),
          C(kNine, kClubs)},
         {5, StraightFlush, 791}},
        {"four kings over a card that stays",
         {C(kKing, kClubs), C(kKing, kDiamonds), C(kKing, kHearts), C(kKing, kSpades),
          C(kTwo, kClubs)},
         {4, FourOfAKind, 208}},
        {"four aces alone",
         {C(kAce, kClubs), C(kAce, kDiamonds), C(kAce, kHearts), C(kAce, kSpades)},
         {4, FourOfAKind, 216}},
        {"odd card among the top four",
         {C(kTwo, kClubs), C(kKing, kDiamonds), C(kTwo, kDiamonds), C(kTwo, kHearts),
          C(kTwo, kSpades)},
         {5, FourOfAKindAndOne, 101}},
        {"four of a kind under its lower odd card",
         {C(kKing, kClubs), C(kTwo, kDiamonds), C(kKing, kDiamonds), C(kKing, kHearts),
          C(kKing, kSpades)},
         {5, FourOfAKindAndOne, 142}},
        {"exact 115 falls just short in double precision",
         {C(kFive, kClubs), C(kQueen, kDiamonds), C(kFive, kDiamonds), C(kFive, kHearts),
          C(kFive, kSpades)},
         {5, FourOfAKindAndOne, 114}},
        {"full house",
         {C(kKing, kClubs), C(kKing, kDiamonds), C(kKing, kHearts), C(kTwo, kClubs),
          C(kTwo, kSpades)},
         {5, FullHouse, 85}},
        {"full house of the lower rank three times",
         {C(kTwo, kClubs), C(kKing, kDiamonds), C(kTwo, kHearts), C(kKing, kClubs),
          C(kTwo, kSpades)},
         {5, FullHouse, 76}},
        {"flush",
         {C(kTwo, kDiamonds), C(kFive, kDiamonds), C(kSeven, kDiamonds), C(kNine, kDiamonds),
          C(kJack, kDiamonds)},
         {5, Flush, 15}},
        {"ten to ace of mixed suits",
         {C(kTen, kClubs), C(kJack, kHearts), C(kQueen, kClubs), C(kKing, kClubs), C(kAce, kClubs)},
         {5, Straight, 40}},
        {"ace to five of mixed suits",
         {C(kAce, kClubs), C(kTwo, kHearts), C(kThree, kClubs), C(kFour, kClubs), C(kFive, kClubs)},
         {5, Straight, 25}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Read(row.topFirst), row.expected);
    }
}

TEST(PokerRules, OnlyTheTopFiveCountAndNothingWraps) {
    UseRules(2, 3);
    const std::vector<std::int32_t> royal = {C(kTen, kHearts), C(kJack, kHearts),
                                             C(kQueen, kHearts), C(kKing, kHearts),
                                             C(kAce, kHearts)};
    std::vector<std::int32_t> buried = royal;
    buried.insert(buried.begin(), C(kTwo, kClubs));
    EXPECT_EQ(Read(buried), Reading{});
    EXPECT_EQ(Read({royal.begin(), royal.begin() + 3}), Reading{});  // three cards never pay
    EXPECT_EQ(Read({royal.begin(), royal.begin() + 4}), Reading{});  // nor four of one suit
    EXPECT_EQ(Read({C(kQueen, kClubs), C(kKing, kHearts), C(kAce, kClubs), C(kTwo, kClubs),
                    C(kThree, kSpades)}),
              Reading{});
    EXPECT_EQ(Read({C(kSeven, kClubs), C(kSeven, kHearts), C(kSeven, kSpades), C(kTwo, kClubs),
                    C(kNine, kSpades)}),
              Reading{});
    // Repeated cards: one suit wins over the ranks of a full house.
    EXPECT_EQ(Read({C(kKing, kHearts), C(kKing, kHearts), C(kKing, kHearts), C(kTwo, kHearts),
                    C(kTwo, kHearts)})
                  .hand,
              Flush);
}

// Random stacks, repeated cards included, read by the game and by ClassifyPoker.
TEST(PokerRules, AgreeWithASecondClassifierOnRandomStacks) {
    UseRules(2, 3);
    std::mt19937 random(20240607);
    auto uniform = [&](int high) {
        return std::uniform_int_distribution<int>(0, high - 1)(random);
    };
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
                topFirst.push_back(
                    MakeCard((firstRank + uniform(5)) % 13, (suit + uniform(suits)) % 4));
            else
                topFirst.push_back(MakeCard(uniform(2) ? firstRank : otherRank, uniform(4)));
        }
        const Reading expected = ClassifyPoker(topFirst);
        ASSERT_EQ(Read(topFirst), expected) << "stack " << testing::PrintToString(topFirst);
        ++handsSeen[expected.hand];
    }
    for (std::int32_t code = NoHand; code <= RoyalFlush; ++code)
        EXPECT_GT(handsSeen[code], 20) << code;
}

TEST(MeldRules, SetsAndRunsReadAcrossGapsAndStopAtAMismatch) {
    UseRules(1, 3);
    auto length = [](std::vector<std::int32_t> topFirst) { return Read(topFirst).count; };
    EXPECT_EQ(length({C(kSeven, kClubs), C(kSeven, kHearts), C(kSeven, kSpades)}), 3);
    EXPECT_EQ(length({C(kSeven, kHearts), C(kEight, kHearts), C(kNine, kHearts)}), 3);
    EXPECT_EQ(length({C(kFive, kHearts), C(kSeven, kHearts), C(kSix, kHearts)}), 3);
    EXPECT_EQ(length({C(kFive, kHearts), C(kSeven, kHearts), C(kNine, kHearts), C(kSix, kHearts),
                      C(kEight, kHearts)}),
              5);
    EXPECT_EQ(length({C(kSeven, kHearts), C(kEight, kSpades), C(kNine, kHearts)}), 1);
    EXPECT_EQ(length({C(kSeven, kHearts), C(kEight, kHearts), C(kNine, kSpades), C(kSix, kHearts)}),
              2);
    EXPECT_EQ(
        length({C(kSeven, kHearts), C(kSeven, kClubs), C(kEight, kClubs), C(kSeven, kSpades)}), 2);
    EXPECT_EQ(length({C(kSix, kHearts), C(kSeven, kHearts), C(kEight, kHearts), C(kTwo, kClubs)}),
              3);
    EXPECT_EQ(length({}), 0);

    // The ace is read both ways, never wrapping.
    const auto queenKingAce = StackOf({C(kQueen, kClubs), C(kKing, kClubs), C(kAce, kClubs)});
    EXPECT_EQ(queenKingAce->MeldLength(false), 2);
    EXPECT_EQ(queenKingAce->MeldLength(true), 3);
    EXPECT_EQ(queenKingAce->Evaluate(), 3);
    EXPECT_EQ(length({C(kAce, kClubs), C(kTwo, kClubs), C(kThree, kClubs)}), 3);
    EXPECT_EQ(length({C(kKing, kClubs), C(kAce, kClubs), C(kTwo, kClubs)}), 2);

    std::int32_t hand = -1;
    StackOf({C(kSeven, kClubs), C(kSeven, kHearts), C(kSeven, kSpades)})->Evaluate(&hand);
    EXPECT_EQ(hand, NoHand);
}

TEST(MeldRules, ScoresCardsWithAcesHighOnlyBesideAKingOrAmongAces) {
    UseRules(1, 3);
    auto score = [](std::vector<std::int32_t> topFirst) {
        return StackOf(topFirst)->BaseScore(static_cast<std::int32_t>(topFirst.size()));
    };
    EXPECT_EQ(score({C(kAce, kClubs), C(kAce, kHearts), C(kAce, kSpades)}), 45);
    EXPECT_EQ(score({C(kKing, kClubs), C(kQueen, kClubs), C(kJack, kClubs)}), 30);
    EXPECT_EQ(score({C(kTwo, kClubs), C(kThree, kClubs), C(kFour, kClubs), C(kFive, kClubs)}), 40);
    EXPECT_EQ(score({C(kQueen, kClubs), C(kKing, kClubs), C(kAce, kClubs)}), 35);
    EXPECT_EQ(score({C(kAce, kClubs), C(kTwo, kClubs), C(kThree, kClubs)}), 15);
    EXPECT_EQ(score({C(kNine, kClubs), C(kTen, kClubs), C(kJack, kClubs), C(kQueen, kClubs),
                     C(kKing, kClubs)}),
              180);
    // Only the cards that collapse count: a King beneath them lends the ace nothing.
    EXPECT_EQ(StackOf({C(kAce, kClubs), C(kTwo, kClubs), C(kThree, kClubs), C(kKing, kHearts)})
                  ->BaseScore(3),
              15);
}

TEST(TwentyOneRules, FirstExactTwentyOneFromTheTopAcesEitherWay) {
    UseRules(3, 2);
    EXPECT_EQ(Read({C(kAce, kClubs), C(kKing, kHearts)}), (Reading{2, 0, 42}));
    EXPECT_EQ(Read({C(kKing, kHearts), C(kAce, kClubs), C(kFive, kClubs)}), (Reading{2, 0, 42}));
    EXPECT_EQ(Read({C(kTen, kClubs), C(kFive, kHearts), C(kSix, kSpades)}), (Reading{3, 0, 21}));
    EXPECT_EQ(Read({C(kKing, kClubs), C(kQueen, kHearts), C(kFive, kSpades), C(kSix, kSpades)}),
              Reading{});
    // Ten, Ace, King: 21 at the second card with the ace high, at the third with it low.
    const auto tenAceKing = StackOf({C(kTen, kClubs), C(kAce, kHearts), C(kKing, kSpades)});
    EXPECT_EQ(tenAceKing->TwentyOneLength(true), 2);
    EXPECT_EQ(tenAceKing->TwentyOneLength(false), 3);
    EXPECT_EQ(tenAceKing->Evaluate(), 3);
    EXPECT_EQ(
        Read({C(kFive, kClubs), C(kFive, kHearts), C(kAce, kSpades), C(kJack, kSpades)}).count, 4);
    EXPECT_EQ(Read({}), Reading{});
}

TEST(OtherRegimes, NothingEverCollapsesOrPays) {
    for (std::int32_t regime : {0, 4, -1}) {
        UseRules(regime, 0);
        const auto stack = StackOf(
            {C(kSeven, kClubs), C(kSeven, kHearts), C(kSeven, kSpades), C(kSeven, kDiamonds)});
        std::int32_t hand = -1;
        EXPECT_EQ(stack->Evaluate(&hand), 0);
        EXPECT_EQ(hand, NoHand);
        EXPECT_EQ(stack->BaseScore(0), 0);
    }
}

}  // namespace
