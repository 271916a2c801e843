// The life of a game: levels with their dialog, speed and clearing, every way a
// game ends, pausing, and new games.

#include <tuple>

#include "tests/support/GameFixture.h"

namespace enginetest {
namespace {

using platform::IDCANCEL;
using platform::IDYES;

class GameFlowTest : public GameFixture {
protected:
    bool Paused() {
        const bool paused = !window->Timers().contains(1);
        EXPECT_EQ(window->GetWindowText(), paused ? "Deckfall - Paused" : "Deckfall");
        return paused;
    }
    std::string Box(std::size_t i) { return headless.desktop.MessageBoxes().at(i).text; }
};

TEST_F(GameFlowTest, FiftySecondCardBringsTheLevelDialogSpeedAndClearing) {
    Put("CollapseRegime", 0);  // nothing collapses
    Put("OneDeck", 0);
    Put("ClearStacks", 1);
    StartUp();
    for (int i = 0; i < 51; ++i) DropOn(i % 7);
    EXPECT_TRUE(headless.desktop.Dialogs().empty());
    int points = CardPoints(Falling());
    for (int c = 0; c < 7; ++c)
        for (int value : Cards(c)) points += CardPoints(value);
    headless.tones.Clear();
    const std::uint64_t before = headless.clock.ElapsedMs();
    DropOn(51 % 7);

    ASSERT_EQ(headless.desktop.Dialogs().size(), 1u);
    const platform::DialogRecord& dialog = headless.desktop.Dialogs()[0];
    EXPECT_EQ(std::tuple(dialog.templateId, dialog.owner, dialog.result),
              std::tuple(132, window, platform::IDOK));
    // 186 × 34 units of 2 × 2 pixels, centred over the 708 × 546 main window.
    EXPECT_EQ(dialog.outer, (platform::Rect{168, 239, 540, 307}));
    EXPECT_GE(headless.clock.ElapsedMs() - before, 1000u);
    const auto& tones = headless.tones.Tones();
    ASSERT_EQ(tones.size(), 25u + 52u);  // the dialog's run, then one per cleared card
    for (unsigned i = 0; i < 25; ++i) EXPECT_EQ(tones[i], (platform::ToneRecord{880 + 40 * i, 5}));

    const PlayEvent level = Events(Kind::Level).at(0);
    EXPECT_EQ((std::vector{level.level, level.interval, level.cleared, level.winnings}),
              (std::vector{1, 600, points, -104 - points}));
    EXPECT_EQ(window->Timers().at(1), 600u);
    EXPECT_EQ(Game().GetCardsThisLevel(), 0);
    for (int c = 0; c < 7; ++c) EXPECT_TRUE(Cards(c).empty());
}

TEST_F(GameFlowTest, IntervalsCycleFromLevelThreeCardsCostMoreAndTheDialogAlsoEndsOnCancel) {
    Put("CollapseRegime", 0);
    StartUp();
    headless.desktop.dialogHandler = [](platform::HeadlessWindow& dialog, const platform::DialogTemplate&) {
        dialog.SendMessage(Msg::Command, IDCANCEL, 0);
        EXPECT_TRUE(dialog.Timers().empty());
    };
    const auto price = [&] {
        const int before = Game().GetWinnings();
        DropOn(3);
        return before - Game().GetWinnings();
    };
    std::vector<int> intervals, prices;
    for (int i = 0; i < 9; ++i) {
        Command(ID_NEXT_LEVEL);
        intervals.push_back(Events(Kind::Level).back().interval);
        if (i < 2) prices.push_back(price());
    }
    EXPECT_EQ(intervals, (std::vector{600, 400, 200, 150, 112, 84, 63, 200, 150}));
    EXPECT_EQ(prices, (std::vector{2, 3}));  // $2.50 truncated, then $3
    EXPECT_EQ(headless.desktop.Dialogs().back().result, IDCANCEL);

    // Without speed-up neither the interval nor the price of a card changes.
    GameOptions.GetFaster = 0;
    Command(ID_NEXT_LEVEL);
    EXPECT_EQ(GameOptions.DropInterval, 150);
    EXPECT_EQ(price(), 2);
}

TEST_F(GameFlowTest, FullColumnEndsTheGameFrozenAndYesStartsAnother) {
    Put("CollapseRegime", 0);
    Put("LastStack", 0);  // every card enters above column 3
    StartUp();
    for (int i = 0; i < 12; ++i) DropOn(2);
    // At the entry a column of 12 is just touched: moving there lands at once; 13 refuse.
    Key(platform::VK_LEFT);
    EXPECT_EQ(Events(Kind::Land).back().count, 13);
    Key(platform::VK_LEFT);
    EXPECT_EQ(Game().GetColumn(), 3);

    for (int i = 0; i < 11; ++i) DropOn(3);
    EXPECT_EQ(CardAt(), Point(315, 20));  // two fall steps above eleven cards
    headless.desktop.QueueAnswer(IDYES);
    Tick(2);
    EXPECT_EQ(Events(Kind::Over).at(0).reason, NoRoom);
    EXPECT_EQ(Box(0), "Do you want to play again?");
    EXPECT_EQ(headless.desktop.MessageBoxes().size(), 1u);
    // Frozen: keys, F3, focus and the menu change nothing.
    Key(platform::VK_RIGHT);
    Command(ID_PAUSE);
    window->SendMessage(Msg::KillFocus, 0, 0);
    window->SendMessage(Msg::SetFocus, 0, 0);
    window->SendMessage(Msg::MenuSelect, platform::MakeWParam(0, 0xFFFF), 0);
    EXPECT_EQ(Game().GetColumn(), 3);
    EXPECT_EQ(window->GetWindowText(), "Deckfall - Game Over");
    EXPECT_TRUE(window->Timers().empty());

    headless.desktop.DeliverPosted();  // the play-again answer's New Game
    EXPECT_EQ(Events(Kind::Game).size(), 2u);
    EXPECT_EQ(Game().GetWinnings(), 0);
    EXPECT_FALSE(Paused());
}

TEST_F(GameFlowTest, OneDeckRunsOutAfterFiftyTwoCards) {
    Put("CollapseRegime", 0);
    Put("EndOnShuffle", 1);
    Put("LastStack", 0);
    StartUp();
    for (int i = 0; i < 52 && !app.IsGameOver(); ++i) DropOn(Lowest());
    EXPECT_EQ(Events(Kind::Land).size(), 52u);
    EXPECT_TRUE(Events(Kind::Level).empty());
    EXPECT_EQ(Events(Kind::Deal).back().left, 51);  // reshuffled, before the deck shows empty
    EXPECT_EQ(Events(Kind::Over).at(0).reason, DeckEmptied);
    EXPECT_TRUE(Box(0).starts_with("You're out of cards!"));
    EXPECT_TRUE(Drawn({659 - 21 * 8, 0}, "     Cards in deck: 0"));
}

// A deck that finds its last cards would collapse on their own for ever ends the game (the
// deck's own test and the simulator's checked runs reach it); the player gets 10,000 for it.
TEST_F(GameFlowTest, PerpetualHandEndsTheGameWithTheBonus) {
    StartUp();
    DropOn(0);
    app.GameOver(window, PerpetualHand);
    EXPECT_EQ(Events(Kind::Over).at(0).winnings, -2 + 10000);
    EXPECT_TRUE(Box(0).starts_with("Getting tired of this yet?"));
}

// The focus and the menu pause and resume (the title and F3 the real program's test shows);
// New Game asks first: No resumes even a game paused before, Yes abandons the game.
TEST_F(GameFlowTest, FocusAndMenuPauseAndNewGameAsksFirst) {
    StartUp();
    EXPECT_EQ(window->Timers().at(1), 800u);
    window->SendMessage(Msg::KillFocus, 0, 0);
    EXPECT_TRUE(Paused());
    Key(platform::VK_LEFT);
    EXPECT_EQ(Game().GetColumn(), 3);
    window->SendMessage(Msg::SetFocus, 0, 0);
    EXPECT_FALSE(Paused());
    window->SendMessage(Msg::InitMenu, 0, 0);
    EXPECT_TRUE(Paused());
    window->SendMessage(Msg::MenuSelect, platform::MakeWParam(0, 0xFFFF), 0);
    EXPECT_FALSE(Paused());

    DropOn(0);
    Command(ID_PAUSE);
    headless.desktop.QueueAnswer(platform::IDNO);
    Command(ID_NEW_GAME);
    ASSERT_EQ(headless.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(Box(0), "Are you sure you want to quit the current game?");
    EXPECT_EQ(Game().GetWinnings(), -2);
    EXPECT_FALSE(Paused());

    headless.desktop.QueueAnswer(IDYES);
    Command(ID_NEW_GAME);
    EXPECT_EQ(Events(Kind::Over).at(0).reason, Abandoned);
    EXPECT_EQ(headless.desktop.MessageBoxes().size(), 2u);  // no play-again question
    EXPECT_EQ(Events(Kind::Game).size(), 2u);
    EXPECT_TRUE(Cards(0).empty());
    EXPECT_FALSE(Paused());
}

}  // namespace
}  // namespace enginetest
