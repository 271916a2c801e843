// The generator: the classic sequence.

#include <gtest/gtest.h>

#include "app/Random.h"

namespace {

// Games replay from their seed only while the sequence is the classic one.
TEST(RandomTest, GeneratorFollowsTheClassicSequence) {
    SeedRandom(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(NextRandom(), expected);
}

}  // namespace
