// The generator and the shared helpers: random draws and control texts.

#include <gtest/gtest.h>

#include "app/Random.h"
#include "app/Utilities.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/linux/SqliteSettingsStore.h"

namespace {

// A seed whose first draw is r.
std::uint32_t SeedFor(int r) {
    for (std::uint32_t seed = 0;; ++seed) {
        SeedRandom(seed);
        if (NextRandom() == r) return seed;
    }
}

// Games replay from their seed only while the sequence is the classic one.
TEST(RandomTest, GeneratorFollowsTheClassicSequence) {
    SeedRandom(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(NextRandom(), expected);
}

// The top draw would reach the exclusive bound and folds into low; scaling cuts toward zero.
TEST(RandomTest, RandomIntStaysBelowItsExclusiveBoundAndFoldsTheTopIntoLow) {
    const struct {
        int r;
        std::uint32_t high;
        std::int32_t low;
        int expected;
    } cases[] = {{32767, 13, 0, 0},   {32766, 13, 0, 12}, {0, 13, 0, 0},    {32767, 52, 0, 0},
                 {32767, 10, -5, -5}, {1000, 10, -5, -4}, {16384, 4, 0, 2}, {32767, 1, 0, 0}};
    for (const auto& c : cases) {
        SeedRandom(SeedFor(c.r));
        EXPECT_EQ(RandomInt(c.high, c.low), c.expected) << "r " << c.r << " high " << c.high;
    }
}

class UtilitiesTest : public testing::Test {
protected:
    std::unique_ptr<platform::SqliteSettingsStore> store = platform::SqliteSettingsStore::InMemory();
    platform::HeadlessPlatform headless{*store};
};

// Dialog texts are cut to the caller's buffer, and a missing control is no error.
TEST_F(UtilitiesTest, ItemTextsReachOnlyExistingControlsAndRespectTheBuffer) {
    platform::HeadlessWindow dialog(headless.desktop, nullptr, "", {0, 0, 300, 200});
    platform::HeadlessWindow& name = dialog.AddControl(1001, "Hello");
    std::string buffer = "junk";
    GetItemText(&dialog, 1001, buffer, 100);
    EXPECT_EQ(buffer, "Hello");
    GetItemText(&dialog, 1001, buffer, 5);  // room for four characters and the zero
    EXPECT_EQ(buffer, "Hell");
    GetItemText(&dialog, 999, buffer, 100);
    EXPECT_EQ(buffer, "");

    SetItemText(&dialog, 1001, "Bye");
    EXPECT_EQ(name.GetWindowText(), "Bye");
    SetItemText(&dialog, 999, "Lost");
    EXPECT_EQ(name.GetWindowText(), "Bye");
}

}  // namespace
