#pragma once
// A card is a small integer: value = 4 × rank + suit, the card library's own
// numbering, so a value goes to the library unchanged.
//   rank 0 Ace, 1 Two, … 9 Ten, 10 Jack, 11 Queen, 12 King
//   suit 0 clubs, 1 diamonds, 2 hearts, 3 spades (the rules only compare suits)

#include <cstdint>

inline constexpr std::int32_t kCardCount = 52;
inline constexpr std::int32_t kCardBackDesign = 54;  // drawn face down with mode 1

enum Rank : std::int32_t {
    kAce = 0,
    kTwo,
    kThree,
    kFour,
    kFive,
    kSix,
    kSeven,
    kEight,
    kNine,
    kTen,
    kJack,
    kQueen,
    kKing
};
enum Suit : std::int32_t { kClubs = 0, kDiamonds, kHearts, kSpades };

constexpr std::int32_t RankOf(std::int32_t value) {
    return value >> 2;
}
constexpr std::int32_t SuitOf(std::int32_t value) {
    return value & 3;
}
constexpr std::int32_t MakeCard(std::int32_t rank, std::int32_t suit) {
    return 4 * rank + suit;
}

// What a card costs when the stacks are cleared: an ace 15, Two to Nine 5, Ten to King 10.
constexpr std::int32_t CardPoints(std::int32_t value) {
    const std::int32_t rank = RankOf(value);
    return rank == kAce ? 15 : rank <= kNine ? 5 : 10;
}
