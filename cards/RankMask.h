#pragma once
// Sets of ranks (bit r for rank r, 0..13 with 13 an ace counted high) and of suits.

#include <bit>
#include <cstdint>

constexpr int BitCount(std::uint32_t mask) {
    return std::popcount(mask);
}

// The number of set bits when they lie side by side in one unbroken run, else 0.
constexpr int RunLength(std::uint32_t mask) {
    if (mask == 0) return 0;
    mask >>= std::countr_zero(mask);
    const int ones = std::countr_one(mask);
    return ones == 32 || (mask >> ones) == 0 ? ones : 0;
}
