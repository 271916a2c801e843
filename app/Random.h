#pragma once
// The process's pseudo-random generator: 32-bit linear congruential, the same
// sequence for the same seed on every platform, values 0..32767.

#include <cstdint>

inline constexpr int kRandomMax = 32767;

void SeedRandom(std::uint32_t seed);
int NextRandom();
