// Trading the falling card and putting cards back into the deck.

#include "tests/support/DeckTesting.h"

namespace {

// Ten distinct cards, 10 at the bottom to 19 on top.
const std::vector<std::int32_t> kTen = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr std::int32_t kPutBack = 40;

// Stud and unknown modes never trade; an empty deck refuses, endless play never does.
TEST_F(DeckTest, TradesAreRefusedInStudInUnknownModesAndFromAnEmptyDeck) {
    Arrange(deck, {5, 9});
    deck.DealNext(nullptr);
    for (std::int32_t mode : {4, 0, 5, -1}) {
        GameOptions.SwapMode = mode;
        EXPECT_FALSE(deck.Swap(nullptr)) << "mode " << mode;
        EXPECT_EQ(Value(), 9);
    }
    deck.DealNext(nullptr);
    for (std::int32_t mode : {1, 2, 3}) {
        GameOptions.SwapMode = mode;
        GameOptions.OneDeck = 1;
        EXPECT_FALSE(deck.Swap(nullptr)) << "mode " << mode;
        GameOptions.OneDeck = 0;
        EXPECT_TRUE(deck.Swap(nullptr)) << "mode " << mode;
    }
    // A deck shown empty at the end of a game trades nothing and takes nothing back.
    deck.ShowEmpty();
    GameOptions.OneDeck = 2;
    EXPECT_FALSE(deck.Swap(nullptr));
    deck.StuffBack(7);
    EXPECT_EQ(deck.CardsLeft(), -1);
}

// Each trade takes its card from its own place and leaves the rest of the deck in order.
TEST_F(DeckTest, TradesTakeTheirCardAndLeaveTheDeckInOrder) {
    const struct {
        std::int32_t mode;
        const char *bottomFirst, *traded, *thenDealt;
    } cases[] = {
        {1, "AC 3C 3C", "3C AC", "3C"},                    // draw: the old card goes back unless drawn
        {3, "AC 2C 3C 4C 5C", "4C 3C 5C", "4C 3C 2C AC"},  // seven-card: round the next two and back
        {3, "AC 2C", "AC 2C", "AC"},                       // seven-card, one left: the two swap
        {2, "QH 5C QH AH", "QH", "QH 5C AH"},              // complement: lowest slot takes the old card
        {2, "AH 5C", "5C", "AH"},                          // complement not in the deck: none taken
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ": " << c.bottomFirst);
        GameOptions.SwapMode = c.mode;
        CDeck arranged;
        Arrange(arranged, Cards(c.bottomFirst));
        arranged.DealNext(nullptr);
        for (std::int32_t expected : Cards(c.traded)) {
            EXPECT_TRUE(arranged.Swap(nullptr));
            EXPECT_EQ(arranged.Current()->GetValue(), expected);
        }
        arranged.TakeCard();
        EXPECT_EQ(Deal(arranged, arranged.CardsLeft()), Cards(c.thenDealt));
    }
}

// Without a deck the complement is made: same suit, ranks adding up to 13, a King its own.
TEST_F(DeckTest, EndlessComplementIsTheSameSuitWithRanksAddingUpToThirteen) {
    GameOptions.SwapMode = 2;
    GameOptions.OneDeck = 0;
    for (auto [from, to] : {std::pair{"AH", "QH"}, {"6S", "7S"}, {"JD", "2D"}, {"KC", "KC"}}) {
        SeedToDraw(Cards(from)[0]);
        deck.DealNext(nullptr);
        EXPECT_TRUE(deck.Swap(nullptr));
        EXPECT_EQ(Value(), Cards(to)[0]) << from;
    }
}

// A card put back lands at a random depth by one fixed three-slot move, which replays exactly.
TEST_F(DeckTest, StuffBackMovesThreeSlots) {
    // With r the drawn slot and j = top − 3: the card goes to r, the card at r to j, the card
    // at j on top. Seven-card play keeps three cards above it, so into five it goes to the bottom.
    const struct {
        const char* name;
        std::int32_t swapMode;
        int draw;  // the generator's value, which RandomInt scales to a slot
        std::vector<std::int32_t> dealt;
    } cases[] = {
        {"r below j", 1, 6000, {17, 19, 18, 12, 16, 15, 14, 13, kPutBack, 11, 10}},
        {"r = j", 1, 21000, {17, 19, 18, kPutBack, 16, 15, 14, 13, 12, 11, 10}},
        {"r = top", 1, kRandomMax - 1, {kPutBack, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10}},
        {"top draw folds to 0", 1, kRandomMax, {17, 19, 18, 10, 16, 15, 14, 13, 12, 11, kPutBack}},
        {"seven-card", 3, kRandomMax - 1, {17, 19, 18, 16, kPutBack, 15, 14, 13, 12, 11, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameOptions.SwapMode = c.swapMode;
        CDeck arranged;
        Arrange(arranged, kTen);
        SeedWhere([&] { return NextRandom() == c.draw; });
        arranged.StuffBack(kPutBack);
        EXPECT_EQ(Deal(arranged, 11), c.dealt);
    }
    CDeck five;
    Arrange(five, {1, 2, 3, 4});
    GameOptions.SwapMode = 3;
    SeedWhere([] { return NextRandom() == kRandomMax - 1; });
    five.StuffBack(kPutBack);
    EXPECT_EQ(Deal(five, 5), (std::vector<std::int32_t>{2, 4, 3, 1, kPutBack}));
}

}  // namespace
