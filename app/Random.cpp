#include "app/Random.h"

namespace {
std::uint32_t state = 1;
}

void SeedRandom(std::uint32_t seed) {
    state = seed;
}

int NextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
