// Trading the falling card and putting cards back into the deck.

#include <algorithm>

#include "tests/deck/DeckTesting.h"

namespace {

// Ten distinct cards, 10 at the bottom to 19 on top.
const std::vector<std::int32_t> kTen = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr std::int32_t kPutBack = 40;

std::int32_t CurrentValue(const CDeck& deck) {
    return deck.Current()->GetValue();
}

TEST_F(DeckTest, TradesAreRefusedInStudInUnknownModesAndFromAnEmptyDeck) {
    Arrange(deck, {5, 9});
    deck.DealNext(nullptr);
    for (std::int32_t mode : {4, 0, 5, -1}) {
        GameOptions.SwapMode = mode;
        EXPECT_FALSE(deck.Swap(nullptr)) << "mode " << mode;
        EXPECT_EQ(CurrentValue(deck), 9);
        EXPECT_EQ(deck.CardsLeft(), 1);
    }
    deck.DealNext(nullptr);
    for (std::int32_t mode : {1, 2, 3}) {
        GameOptions.SwapMode = mode;
        GameOptions.OneDeck = 1;
        EXPECT_FALSE(deck.Swap(nullptr)) << "mode " << mode;
        GameOptions.OneDeck = 0;  // without a deck there is always a card to trade for
        EXPECT_TRUE(deck.Swap(nullptr)) << "mode " << mode;
    }
    deck.ShowEmpty();
    GameOptions.OneDeck = 2;
    EXPECT_FALSE(deck.Swap(nullptr));
    deck.StuffBack(7);
    EXPECT_EQ(deck.CardsLeft(), -1);
}

TEST_F(DeckTest, DrawTradePutsTheTradedCardBackUnlessItCameBackItself) {
    Arrange(deck, {1, 9, 9});
    deck.DealNext(nullptr);
    EXPECT_TRUE(deck.Swap(nullptr));
    EXPECT_EQ(CurrentValue(deck), 9);
    EXPECT_EQ(deck.CardsLeft(), 1);
    EXPECT_TRUE(deck.Swap(nullptr));
    EXPECT_EQ(CurrentValue(deck), 1);
    EXPECT_EQ(deck.CardsLeft(), 1);
    EXPECT_EQ(Deal(deck, 1), std::vector<std::int32_t>{9});
}

TEST_F(DeckTest, SevenCardTradesBringTheFirstCardAndTheDeckOrderBack) {
    GameOptions.SwapMode = 3;
    SeedRandom(31);
    CDeck untouched;
    const std::vector<std::int32_t> order = Deal(untouched, kCardCount);
    SeedRandom(31);
    deck.DealNext(nullptr);
    for (std::int32_t expected : {order[1], order[2], order[0]}) {
        EXPECT_TRUE(deck.Swap(nullptr));
        EXPECT_EQ(CurrentValue(deck), expected);
        EXPECT_EQ(deck.CardsLeft(), kCardCount - 1);
    }
    deck.TakeCard();
    EXPECT_EQ(Deal(deck, kCardCount - 3),
              std::vector<std::int32_t>(order.begin() + 1, order.end() - 2));
    // One card left: two trades.
    deck.DealNext(nullptr);
    for (std::int32_t expected : {order.back(), order[kCardCount - 2]}) {
        EXPECT_TRUE(deck.Swap(nullptr));
        EXPECT_EQ(CurrentValue(deck), expected);
        EXPECT_EQ(deck.CardsLeft(), 1);
    }
    EXPECT_EQ(Deal(deck, 1).front(), order.back());
}

TEST_F(DeckTest, ComplementTradeTakesTheLowestSlotOrLeavesTheCard) {
    GameOptions.SwapMode = 2;
    const std::int32_t aceOfHearts = MakeCard(kAce, kHearts),
                       queenOfHearts = MakeCard(kQueen, kHearts),
                       fiveOfClubs = MakeCard(kFive, kClubs);
    Arrange(deck, {queenOfHearts, fiveOfClubs, queenOfHearts, aceOfHearts});
    deck.DealNext(nullptr);
    EXPECT_TRUE(deck.Swap(nullptr));
    EXPECT_EQ(CurrentValue(deck), queenOfHearts);
    EXPECT_EQ(deck.CardsLeft(), 3);
    deck.TakeCard();
    EXPECT_EQ(Deal(deck, 2), (std::vector<std::int32_t>{queenOfHearts, fiveOfClubs}));
    // The Eight of clubs is not in the deck: the Five stays.
    Arrange(deck, {fiveOfClubs});
    deck.DealNext(nullptr);
    EXPECT_TRUE(deck.Swap(nullptr));
    EXPECT_EQ(CurrentValue(deck), fiveOfClubs);
    EXPECT_EQ(Deal(deck, 1).front(), aceOfHearts);

    const struct {
        std::int32_t from, to;
    } pairs[] = {{aceOfHearts, queenOfHearts},
                 {MakeCard(kSix, kSpades), MakeCard(kSeven, kSpades)},
                 {MakeCard(kJack, kDiamonds), MakeCard(kTwo, kDiamonds)},
                 {MakeCard(kKing, kClubs), MakeCard(kKing, kClubs)}};
    for (const auto& p : pairs) {
        GameOptions.OneDeck = 1;
        Arrange(deck, {p.from});
        deck.DealNext(nullptr);
        GameOptions.OneDeck = 0;
        EXPECT_TRUE(deck.Swap(nullptr));
        EXPECT_EQ(CurrentValue(deck), p.to) << p.from;
        deck.TakeCard();
    }
}

// With r the drawn slot and j = top − 3: v goes to r, the card at r to j, the card at j on top.
TEST_F(DeckTest, StuffBackMovesThreeSlots) {
    const std::uint32_t folds = SeedWhere([] { return NextRandom() == kRandomMax; });
    const struct {
        const char* name;
        std::int32_t r;
        std::vector<std::int32_t> dealt;
    } cases[] = {
        {"r below j", 2, {17, 19, 18, 12, 16, 15, 14, 13, kPutBack, 11, 10}},
        {"r = j", 7, {17, 19, 18, kPutBack, 16, 15, 14, 13, 12, 11, 10}},
        {"r = top", 10, {kPutBack, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10}},
        {"top draw folds to 0", -1, {17, 19, 18, 10, 16, 15, 14, 13, 12, 11, kPutBack}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDeck arranged;
        Arrange(arranged, kTen);
        if (c.r < 0)
            SeedRandom(folds);
        else
            SeedWhere([&] { return RandomInt(11, 0) == c.r; });
        arranged.StuffBack(kPutBack);
        EXPECT_EQ(Deal(arranged, 11), c.dealt);
    }
    deck.StuffBack(kPutBack);
    EXPECT_EQ(deck.CardsLeft(), 1);
    EXPECT_EQ(Deal(deck, 1).front(), kPutBack);
}

TEST_F(DeckTest, SevenCardStuffBackKeepsTheNextThreeOrGoesToTheBottom) {
    GameOptions.SwapMode = 3;
    int deepest = 0;
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
        CDeck arranged;
        Arrange(arranged, kTen);
        SeedRandom(seed * 2654435761u);  // small seeds start with small draws
        arranged.StuffBack(kPutBack);
        const std::vector<std::int32_t> dealt = Deal(arranged, 11);
        ASSERT_EQ(std::vector<std::int32_t>(dealt.begin(), dealt.begin() + 3),
                  (std::vector<std::int32_t>{17, 19, 18}));
        const auto at = std::find(dealt.begin(), dealt.end(), kPutBack) - dealt.begin();
        ASSERT_GE(at, 4) << "seed " << seed;
        deepest = std::max<int>(deepest, 10 - static_cast<int>(at));
    }
    EXPECT_EQ(deepest, 6);  // slot top − 4 is reachable
    for (std::uint32_t seed = 0; seed < 10; ++seed) {
        CDeck small;
        Arrange(small, {1, 2, 3, 4});
        SeedRandom(seed);
        small.StuffBack(kPutBack);
        EXPECT_EQ(Deal(small, 5).back(), kPutBack);
    }
}

TEST_F(DeckTest, FullDeckLetsTheCardPutBackLeaveTheGame) {
    std::vector<std::int32_t> kept;
    for (int i = 0; i <= CDeck::kSlots; ++i) {
        const std::int32_t value = (i * 7) % kCardCount;
        if (i < CDeck::kSlots)
            kept.push_back(value);
        deck.StuffBack(value);
    }
    EXPECT_EQ(deck.CardsLeft(), CDeck::kSlots);
    std::vector<std::int32_t> dealt = Deal(deck, CDeck::kSlots);
    std::sort(dealt.begin(), dealt.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(dealt, kept);
    EXPECT_EQ(deck.CardsLeft(), 0);
    deck.DealNext(nullptr);
    EXPECT_EQ(deck.CardsLeft(), kCardCount - 1);
}

}  // namespace
