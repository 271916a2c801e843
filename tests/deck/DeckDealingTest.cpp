// Dealing, reshuffling, the end of a one-deck game, and the remainder that forms a hand.

#include <algorithm>
#include <array>
#include <random>
#include <utility>

#include "tests/support/DeckTesting.h"

namespace {

// Five to Nine of mixed suits, the Nine dealt first.
const std::vector<std::int32_t> kStraight = Cards("5C 6H 7C 8S 9D");

// Running out ends the game only in recycling play set to end on a reshuffle.
TEST_F(DeckTest, OnlyARecyclingDeckSetToEndOnAReshuffleEndsTheGameWhenItRunsOut) {
    for (auto [oneDeck, endOnShuffle] : {std::pair{1, 1}, {2, 0}, {2, 1}}) {
        SCOPED_TRACE(testing::Message() << "OneDeck " << oneDeck << ", " << endOnShuffle);
        GameOptions.OneDeck = oneDeck;
        GameOptions.EndOnShuffle = endOnShuffle;
        const bool ends = oneDeck == 2 && endOnShuffle;
        CDeck one;
        for (int i = 0; i <= kCardCount; ++i) {
            // The first deal opens the deck; the playfield ignores its answer.
            EXPECT_EQ(one.DealNext(nullptr), i % kCardCount > 0 || !ends) << "deal " << i;
            one.TakeCard();
        }
        EXPECT_EQ(one.EndReason(), DeckEmptied);
    }
}

// A remainder that collapses by itself would be dealt for ever, so it goes on a fresh deck.
TEST_F(DeckTest, WholeHandRemainderOfThreeToThirteenCardsGoesOnTopOfAFreshDeck) {
    GameOptions.OneDeck = 2;
    Arrange(deck, kStraight);
    EXPECT_TRUE(deck.DealNext(nullptr));
    EXPECT_EQ(deck.EndReason(), DeckEmptied);
    EXPECT_EQ(deck.CardsLeft(), 56);
    EXPECT_EQ(deck.TakeCard()->GetValue(), kStraight[4]);
    EXPECT_EQ(Deal(deck, 4), std::vector<std::int32_t>(kStraight.rbegin() + 1, kStraight.rend()));

    GameOptions.CollapseRegime = 3;  // twenty-one: whole hands of any length
    const struct {
        std::int32_t oneDeck;
        const char* remainder;
        bool reshuffles;
    } cases[] = {{2, "AC KS", false},
                 {2, "TC 5C 6C", true},
                 {2, "2H TC 5C 6C", false},  // a hand, but not the whole remainder
                 {2, "AC AC AC AC AC 2H 2H 2H 2H 2H 2H 2H 2H", true},
                 {2, "AC AC AC AC AC AC AC 2H 2H 2H 2H 2H 2H 2H", false},
                 {1, "TC 5C 6C", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.remainder << ", OneDeck " << c.oneDeck);
        GameOptions.OneDeck = c.oneDeck;
        CDeck remainder;
        Arrange(remainder, Cards(c.remainder));
        EXPECT_TRUE(remainder.DealNext(nullptr));
        const int left = static_cast<int>(Cards(c.remainder).size()) - 1;
        EXPECT_EQ(remainder.CardsLeft(), c.reshuffles ? left + kCardCount : left);
        EXPECT_EQ(remainder.EndReason(), c.reshuffles ? DeckEmptied : NoRoom);
    }
}

// An ending deck must not loop on such a remainder: the 32nd time, dealt or traded, ends it.
TEST_F(DeckTest, ThirtySecondDetectionEndsTheGame) {
    GameOptions.OneDeck = 2;
    GameOptions.EndOnShuffle = 1;
    for (bool inTrade : {false, true}) {
        SCOPED_TRACE(inTrade ? "in a trade" : "in a deal");
        CDeck stuck;
        Arrange(stuck, kStraight);
        GameOptions.SwapMode = 3;  // a card put back into five goes to the bottom
        for (int detection = 1; detection <= 31; ++detection) {
            ASSERT_TRUE(stuck.DealNext(nullptr)) << detection;
            ASSERT_EQ(stuck.EndReason(), NoRoom);
            stuck.StuffBack(stuck.TakeCard()->GetValue());
            ASSERT_EQ(stuck.CardsLeft(), 5);
        }
        if (inTrade) {
            Arrange(stuck, Cards("KH"));
            ASSERT_TRUE(stuck.DealNext(nullptr));  // six cards: not a hand
            GameOptions.SwapMode = 1;
            EXPECT_TRUE(stuck.Swap(nullptr));
            EXPECT_EQ(stuck.CardsLeft(), 4 + kCardCount + 1);
            stuck.TakeCard();
        }
        EXPECT_FALSE(stuck.DealNext(nullptr));
        EXPECT_EQ(stuck.EndReason(), PerpetualHand);
        // After a trade more than 52 remain: only 52 of them stay above the fresh deck.
        EXPECT_EQ(stuck.CardsLeft(), inTrade ? 2 * kCardCount - 1 : 4 + kCardCount);
    }
}

// No card may appear or vanish over a long game; one finding the deck full leaves the game.
TEST_F(DeckTest, RecyclingKeepsEveryCardAccountedForOverALongGame) {
    GameOptions.OneDeck = 2;
    SeedRandom(19980214);
    std::mt19937 play(7);
    std::array<int, kCardCount> existing{};
    std::array<std::vector<std::int32_t>, 7> columns;
    int reshuffles = 0, forced = 0, trades = 0, fullDeck = 0, total = 0, onColumns = 0;
    auto leaves = [&](std::int32_t value) { --existing[value], --total; };
    auto opened = [&](int leftBefore) {  // a fresh 52 joined the game
        if (deck.EndReason() != DeckEmptied) return false;
        ++reshuffles, forced += leftBefore > 0, total += kCardCount;
        for (int& n : existing) ++n;
        return true;
    };

    for (int step = 0; step < 40000; ++step) {
        const int leftBefore = deck.CardsLeft();
        ASSERT_TRUE(deck.DealNext(nullptr));
        opened(leftBefore);
        for (int t = static_cast<int>(play() % 3); t > 0; --t) {
            GameOptions.SwapMode = 1 + static_cast<int>(play() % 3);
            const int before = deck.CardsLeft();
            const std::int32_t old = Value();
            if (!deck.Swap(nullptr)) {
                ASSERT_EQ(before, 0);
                continue;
            }
            ++trades;
            if (GameOptions.SwapMode != 1) {
                ASSERT_EQ(deck.CardsLeft(), before);
                continue;
            }
            const bool fresh = opened(before), same = Value() == old;
            if (same) leaves(old);  // the traded card is not put back
            ASSERT_EQ(deck.CardsLeft(), before - 1 + (fresh ? kCardCount : 0) + (same ? 0 : 1));
        }
        auto& column = columns[play() % 7];
        column.push_back(deck.TakeCard()->GetValue()), ++onColumns;
        if (column.size() >= 5 && play() % 3 == 0) {
            for (int n = 3 + static_cast<int>(play() % 3); n > 0; --n, --onColumns, column.pop_back()) {
                if (deck.CardsLeft() == CDeck::kSlots) leaves(column.back()), ++fullDeck;
                deck.StuffBack(column.back());
            }
        } else if (play() % 400 == 0) {  // a new level clears the columns
            for (auto& cleared : columns)
                for (std::int32_t value : std::exchange(cleared, {})) leaves(value), --onColumns;
        }
        ASSERT_EQ(deck.CardsLeft() + onColumns, total) << "step " << step;
    }
    // The run reaches every road: reshuffles, one forced by a remainder, cards finding
    // the deck full.
    EXPECT_GT(reshuffles, 20);
    EXPECT_GT(forced, 0);
    EXPECT_GT(fullDeck, 0);
    EXPECT_GT(trades, 30000);

    GameOptions.OneDeck = 1;
    std::vector<std::int32_t> held = Deal(deck, deck.CardsLeft());
    for (const auto& column : columns) held.insert(held.end(), column.begin(), column.end());
    for (int v = 0; v < kCardCount; ++v) EXPECT_EQ(std::count(held.begin(), held.end(), v), existing[v]) << v;
}

// The cards a seed deals, pinned as the shuffle deals them today: a change to the
// generator, to the order of its draws or to the shuffle itself cannot pass unnoticed.
TEST_F(DeckTest, AFixedSeedDealsTheCardsItAlwaysDealt) {
    constexpr std::uint32_t kSeed = 1998;
    // Without a deck: a rank, then a suit, for every card.
    GameOptions.OneDeck = 0;
    SeedRandom(kSeed);
    EXPECT_EQ(Deal(deck, 8), Cards("3H QD 3S AD 2C 3H KS JH"));

    // One deck, recycling or not: the 53rd card opens the next shuffled deck.
    for (std::int32_t oneDeck : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "OneDeck " << oneDeck);
        GameOptions.OneDeck = oneDeck;
        SeedRandom(kSeed);
        CDeck one;
        const std::vector<std::int32_t> dealt = Deal(one, kCardCount + 3);
        EXPECT_EQ(std::vector(dealt.begin(), dealt.begin() + 8), Cards("AC 5C 4D 8D 2C 3H QD 9D"));
        EXPECT_EQ(std::vector(dealt.end() - 3, dealt.end()), Cards("5D 9C AH"));
    }

    // Recycling: five collapsed cards go back among the last seven, at the depths the
    // generator gives them.
    GameOptions.OneDeck = 2;
    SeedRandom(kSeed);
    CDeck recycling;
    const std::vector<std::int32_t> dealt = Deal(recycling, kCardCount - 7);
    const std::vector<std::int32_t> collapsed(dealt.end() - 5, dealt.end());
    ASSERT_EQ(collapsed, Cards("QC 8C 7H 5S QH"));
    for (std::int32_t value : collapsed) recycling.StuffBack(value);
    EXPECT_EQ(Deal(recycling, 13), Cards("TD TH 8C AS 6C QC 5S 3S 7H QH 9H 2H QC"));
}

}  // namespace
