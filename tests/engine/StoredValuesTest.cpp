// Whatever a settings file holds, the game starts and plays: every stored value at the
// edges of its 32 bits, loaded and played through whole games. The sanitizer build runs
// these games to catch arithmetic that would overflow. An orientation other than up or
// down would draw off the window or end every game at its first card.

#include <limits>

#include "tests/support/GameFixture.h"

namespace enginetest {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct StoredValue {
    const char* name;
    std::int32_t value;
};

// Each case is named after its value, which a failure then shows.
std::string TestName(const testing::TestParamInfo<StoredValue>& info) {
    const std::int64_t value = info.param.value;
    return std::string(info.param.name) + (value < 0 ? "_minus" : "_") +
           std::to_string(value < 0 ? -value : value);
}

std::vector<StoredValue> AtTheEdges(std::initializer_list<const char*> names) {
    std::vector<StoredValue> values;
    for (const char* name : names)
        for (std::int32_t value : {kMin, -1, 0, 2, 1 << 30, kMax}) values.push_back({name, value});
    return values;
}

class StoredValuesTest : public GameFixture, public testing::WithParamInterface<StoredValue> {
protected:
    // Two games from the stored value, each to its end or, when stacks are cleared at every
    // level or the deck never runs out, to its 120th card.
    void PlayTwoGames() {
        Put(GetParam().name, static_cast<std::uint32_t>(GetParam().value));
        StartUp();
        window->SetRecording(false);
        window->SetRasterising(false);
        for (int game = 0; game < 2; ++game) {
            SCOPED_TRACE(testing::Message() << "game " << game);
            if (game > 0) Command(ID_NEW_GAME);
            const std::size_t before = Events(Kind::Land).size();
            for (int card = 0; card < 120 && !app.IsGameOver(); ++card) DropOn(Lowest());
            // Seven columns fill before one of them can hold no more.
            EXPECT_GE(Events(Kind::Land).size() - before, 7u);
        }
    }
};

class StoredOptionsTest : public StoredValuesTest {
protected:
    // The whole screen: the status texts of a narrower board reach past the window's left edge.
    StoredOptionsTest() {
        Put("Width", 1024);
        Put("Height", 768);
    }
};

TEST_P(StoredOptionsTest, GamesPlayWithinTheWindow) {
    PlayTwoGames();
    EXPECT_EQ(window->OutsideDraws(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryOption, StoredOptionsTest,
                         testing::ValuesIn(AtTheEdges({"SwapMode", "OneDeck", "EndOnShuffle", "LastStack",
                                                       "UpDown", "CollapseRegime", "GetFaster", "ClearStacks",
                                                       "Beep", "Music", "ShowNagDlg", "ForegroundColor",
                                                       "BackgroundColor"})),
                         TestName);

using StoredPlacementTest = StoredValuesTest;

TEST_P(StoredPlacementTest, TheWindowOpensOnTheScreenAndGamesPlay) {
    PlayTwoGames();
    const platform::Rect normal = window->GetWindowPlacement().normalRect;
    EXPECT_EQ(platform::Intersect(normal, {0, 0, 1024, 768}), normal);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlacementValue, StoredPlacementTest,
    testing::ValuesIn(AtTheEdges({"FirstBoot", "Top", "Left", "Width", "Height", "MinMax"})), TestName);

}  // namespace
}  // namespace enginetest
