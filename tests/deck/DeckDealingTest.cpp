// Dealing, reshuffling, the end of a one-deck game, and the remainder that forms a hand.

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <utility>

#include "tests/deck/DeckTesting.h"

namespace {

std::vector<std::int32_t> Sorted(std::vector<std::int32_t> values) {
    std::sort(values.begin(), values.end());
    return values;
}

const std::vector<std::int32_t> kFreshDeck = [] {
    std::vector<std::int32_t> all(kCardCount);
    std::iota(all.begin(), all.end(), 0);
    return all;
}();

// Five to Nine of mixed suits, the Nine dealt first.
const std::vector<std::int32_t> kStraight = {MakeCard(kFive, kClubs), MakeCard(kSix, kHearts),
                                             MakeCard(kSeven, kClubs), MakeCard(kEight, kSpades),
                                             MakeCard(kNine, kDiamonds)};

TEST_F(DeckTest, RandomCardsDrawTheRankFirstAndTheTopDrawIsTheLowest) {
    GameOptions.OneDeck = 0;
    SeedRandom(123456789);
    const std::int32_t rank = RandomInt(13, 0);
    const std::int32_t suit = RandomInt(4, 0);
    SeedRandom(123456789);
    EXPECT_TRUE(deck.DealNext(nullptr));
    EXPECT_EQ(deck.Current()->GetValue(), MakeCard(rank, suit));
    EXPECT_EQ(deck.CardsLeft(), 0);
    SeedWhere([] { return NextRandom() == kRandomMax; });
    deck.DealNext(nullptr);
    EXPECT_EQ(RankOf(deck.Current()->GetValue()), kAce);
}

TEST_F(DeckTest, OneDeckDealsEveryCardOnceAndOnlyARecyclingDeckMayEndOnRunningOut) {
    struct Case {
        std::int32_t oneDeck, endOnShuffle;
        bool endsWhenEmpty;
    };
    for (const Case c : {Case{1, 1, false}, Case{2, 0, false}, Case{2, 1, true}}) {
        SCOPED_TRACE(testing::Message()
                     << "OneDeck " << c.oneDeck << " EndOnShuffle " << c.endOnShuffle);
        GameOptions.OneDeck = c.oneDeck;
        GameOptions.EndOnShuffle = c.endOnShuffle;
        SeedRandom(2024);
        CDeck fresh;
        std::vector<std::int32_t> dealt;
        for (int i = 0; i < kCardCount; ++i) {
            // The first deal opens the deck; the playfield ignores its answer.
            EXPECT_EQ(fresh.DealNext(nullptr), i > 0 || !c.endsWhenEmpty) << "deal " << i;
            EXPECT_EQ(fresh.EndReason(), i == 0 ? DeckEmptied : NoRoom) << "deal " << i;
            EXPECT_EQ(fresh.CardsLeft(), kCardCount - 1 - i);
            dealt.push_back(fresh.TakeCard()->GetValue());
        }
        EXPECT_EQ(Sorted(dealt), kFreshDeck);
        EXPECT_EQ(fresh.DealNext(nullptr), !c.endsWhenEmpty);
        EXPECT_EQ(fresh.EndReason(), DeckEmptied);
        EXPECT_EQ(fresh.CardsLeft(), kCardCount - 1);
    }
}

TEST_F(DeckTest, RemainderFormingAHandGoesOnTopOfAFreshDeckInItsOrder) {
    GameOptions.OneDeck = 2;
    Arrange(deck, kStraight);
    EXPECT_TRUE(deck.DealNext(nullptr));
    EXPECT_EQ(deck.EndReason(), DeckEmptied);
    EXPECT_EQ(deck.CardsLeft(), 56);
    EXPECT_EQ(deck.TakeCard()->GetValue(), kStraight[4]);
    EXPECT_EQ(Deal(deck, 4), std::vector<std::int32_t>(kStraight.rbegin() + 1, kStraight.rend()));
    // Without recycling the remainder is never tested.
    GameOptions.OneDeck = 1;
    EXPECT_EQ(Sorted(Deal(deck, kCardCount)), kFreshDeck);
    EXPECT_EQ(deck.CardsLeft(), 0);
    Arrange(deck, kStraight);
    deck.DealNext(nullptr);
    EXPECT_EQ(deck.CardsLeft(), 4);
}

TEST_F(DeckTest, OnlyAWholeRemainderOfThreeToThirteenCardsIsReshuffled) {
    GameOptions.OneDeck = 2;
    GameOptions.CollapseRegime = 3;  // twenty-one: whole hands of any length
    const std::int32_t ace = MakeCard(kAce, kClubs), two = MakeCard(kTwo, kHearts);
    auto cards = [](int aces, int twos, std::int32_t a, std::int32_t b) {
        std::vector<std::int32_t> v(aces, a);
        v.insert(v.end(), twos, b);
        return v;
    };
    const struct {
        std::vector<std::int32_t> remainder;
        bool reshuffles;
    } cases[] = {
        {{ace, MakeCard(kKing, kSpades)}, false},
        {{MakeCard(kTen, kClubs), MakeCard(kFive, kClubs), MakeCard(kSix, kClubs)}, true},
        {{two, MakeCard(kTen, kClubs), MakeCard(kFive, kClubs), MakeCard(kSix, kClubs)}, false},
        {cards(5, 8, ace, two), true},
        {cards(7, 7, ace, two), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.remainder.size() << " cards");
        CDeck remainder;
        Arrange(remainder, c.remainder);
        EXPECT_TRUE(remainder.DealNext(nullptr));
        const int left = static_cast<int>(c.remainder.size()) - 1;
        EXPECT_EQ(remainder.CardsLeft(), c.reshuffles ? left + kCardCount : left);
        EXPECT_EQ(remainder.EndReason(), c.reshuffles ? DeckEmptied : NoRoom);
    }
}

// An ending deck tolerates such a remainder 31 times; the 32nd detection, in a deal or
// in a draw trade, reshuffles and ends the game with the perpetual-hand reason.
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
            Arrange(stuck, {MakeCard(kKing, kHearts)});
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

// A long recycling game, landings and collapses played crudely on seven columns: every
// card dealt, traded, landed or put back stays accounted for, and the deck holds exactly
// what is neither falling nor on a column.
TEST_F(DeckTest, RecyclingKeepsEveryCardAccountedForOverALongGame) {
    GameOptions.OneDeck = 2;
    SeedRandom(19980214);
    std::mt19937 play(7);
    std::array<int, kCardCount> existing{}, landed{};
    std::array<std::vector<std::int32_t>, 7> columns;
    int reshuffles = 0, perpetual = 0, trades = 0, fullDeck = 0, total = 0, onColumns = 0;
    auto afterDeal = [&](int leftBefore) {
        if (deck.EndReason() != DeckEmptied)
            return false;
        ++reshuffles;
        perpetual += leftBefore > 0;
        for (int& n : existing)
            ++n;
        total += kCardCount;
        return true;
    };

    for (int step = 0; step < 40000; ++step) {
        const int leftBefore = deck.CardsLeft();
        ASSERT_TRUE(deck.DealNext(nullptr));
        afterDeal(leftBefore);
        for (int t = static_cast<int>(play() % 3); t > 0; --t) {
            GameOptions.SwapMode = 1 + static_cast<int>(play() % 3);
            const int before = deck.CardsLeft();
            const std::int32_t old = deck.Current()->GetValue();
            if (!deck.Swap(nullptr)) {
                ASSERT_EQ(before, 0);
                continue;
            }
            ++trades;
            if (GameOptions.SwapMode != 1) {
                ASSERT_EQ(deck.CardsLeft(), before);
                continue;
            }
            const bool opened = afterDeal(before);
            const bool same = deck.Current()->GetValue() == old;
            if (same)
                --existing[old], --total;  // the traded card is not put back
            ASSERT_EQ(deck.CardsLeft(), before - 1 + (opened ? kCardCount : 0) + (same ? 0 : 1));
        }
        auto& column = columns[play() % 7];
        column.push_back(deck.TakeCard()->GetValue());
        ++landed[column.back()], ++onColumns;
        if (column.size() >= 5 && play() % 3 == 0) {
            for (int n = 3 + static_cast<int>(play() % 3); n > 0; --n) {
                const std::int32_t value = column.back();
                column.pop_back();
                --landed[value], --onColumns;
                if (deck.CardsLeft() == CDeck::kSlots)
                    --existing[value], --total, ++fullDeck;
                deck.StuffBack(value);
            }
        } else if (play() % 400 == 0) {  // a new level clears the columns
            for (auto& cleared : columns)
                for (std::int32_t value : std::exchange(cleared, {}))
                    --landed[value], --onColumns, --existing[value], --total;
        }
        ASSERT_EQ(deck.CardsLeft() + onColumns, total) << "step " << step;
    }
    // The run reaches every road: 52 reshuffles, one forced by a remainder, 32 cards
    // finding the deck full.
    EXPECT_GT(reshuffles, 20);
    EXPECT_GT(perpetual, 0);
    EXPECT_GT(fullDeck, 0);
    EXPECT_GT(trades, 30000);

    GameOptions.OneDeck = 1;
    std::array<int, kCardCount> inDeck{};
    for (std::int32_t value : Deal(deck, deck.CardsLeft()))
        ++inDeck[value];
    for (int v = 0; v < kCardCount; ++v)
        EXPECT_EQ(inDeck[v], existing[v] - landed[v]) << v;
}

}  // namespace
