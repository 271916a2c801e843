#pragma once
// Setting a deck up through its public operations and the seeded generator alone.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/GameOptions.h"
#include "app/Random.h"
#include "app/Utilities.h"
#include "cards/CDeck.h"
#include "tests/support/StackBuilder.h"

// The first seed whose draws make draws() true; the generator is left seeded with it.
template <typename Draws>
std::uint32_t SeedWhere(Draws draws) {
    for (std::uint32_t seed = 0;; ++seed) {
        SeedRandom(seed);
        if (draws()) {
            SeedRandom(seed);
            return seed;
        }
    }
}

// Seeds the generator so that the next card drawn without a deck is this one.
inline void SeedToDraw(std::int32_t value) {
    SeedWhere([value] {
        const std::int32_t rank = RandomInt(13, 0);
        return MakeCard(rank, RandomInt(4, 0)) == value;
    });
}

// Puts the values, bottom first, into a deck: each StuffBack is seeded to land on top.
inline void Arrange(CDeck& deck, const std::vector<std::int32_t>& bottomFirst) {
    const std::int32_t swapMode = GameOptions.SwapMode;
    GameOptions.SwapMode = 1;
    for (std::int32_t value : bottomFirst) {
        const auto slots = static_cast<std::uint32_t>(deck.CardsLeft() + 1);
        SeedWhere([&] { return RandomInt(slots, 0) == static_cast<std::int32_t>(slots) - 1; });
        deck.StuffBack(value);
    }
    GameOptions.SwapMode = swapMode;
}

// Deals n cards, handing each over; their values in the order dealt.
inline std::vector<std::int32_t> Deal(CDeck& deck, int n) {
    std::vector<std::int32_t> dealt;
    for (int i = 0; i < n; ++i) {
        deck.DealNext(nullptr);
        dealt.push_back(deck.TakeCard()->GetValue());
    }
    return dealt;
}

class DeckTest : public testing::Test {
protected:
    void SetUp() override {
        GameOptions = {};
        GameOptions.OneDeck = 1;
        GameOptions.SwapMode = 1;
        GameOptions.CollapseRegime = 2;
        SeedRandom(1);
    }
    std::int32_t Value() const { return deck.Current()->GetValue(); }
    CDeck deck;
};
