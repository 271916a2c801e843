// The menu commands on a game: each dialog pauses the game while open and lets it run
// again afterwards unless it is over; Options may start a new game; Help does not
// pause; and the end of a game that earns a row in the high-score list.

#include "app/Registry.h"
#include "dialogs/CHighScoreDlg.h"
#include "resources/DialogTemplates.h"
#include "tests/support/GameFixture.h"

namespace enginetest {
namespace {

using platform::HeadlessWindow;
using platform::IDCANCEL;
using platform::IDOK;

const std::string kRunning = "Deckfall running", kPaused = "Deckfall - Paused",
                  kOver = "Deckfall - Game Over";

using MenuCommandsTest = GameFixture;

// A game paused with F3 runs again after the dialog; a game that is over stays over.
TEST_F(MenuCommandsTest, DialogCommandsPauseWhileOpenAndResumeUnlessOver) {
    StartUp();
    const std::pair<int, int> commands[] = {{IDM_ABOUT, IDD_ABOUT},
                                            {ID_HIGH_SCORES, IDD_HIGH_SCORES},
                                            {ID_INTRODUCTION, IDD_WELCOME},
                                            {ID_OPTIONS, IDD_OPTIONS}};
    for (const bool f3 : {false, true})
        for (const auto& [command, dialog] : commands) {
            if (f3) Command(ID_PAUSE);
            EXPECT_EQ(During(command), kPaused);
            EXPECT_EQ(Now(), kRunning);
            EXPECT_EQ(headless.desktop.Dialogs().back().templateId, dialog);
            EXPECT_EQ(headless.desktop.Dialogs().back().owner, window);
        }
    app.GameOver(window, Abandoned);
    for (const auto& [command, dialog] : commands) {
        EXPECT_EQ(During(command), kOver);
        EXPECT_EQ(Now(), kOver);
    }
}

// OK with a rule or colour changed drops the game at once without a question, and the new
// game shows the new colours; anything else goes back to the game where it was.
TEST_F(MenuCommandsTest, OptionsStartANewGameOnlyWhenARuleOrColourChanged) {
    StartUp();
    DropOn(0);
    During(ID_OPTIONS, {IDC_SOUND_EFFECTS, IDOK});
    EXPECT_EQ(Cards(0).size(), 1u);

    headless.colors.player = [](const platform::ColorPickerRecord&, auto&) {
        return std::optional<platform::ColorRef>(platform::Rgb(0x10, 0x20, 0x30));
    };
    Command(ID_PAUSE);
    During(ID_OPTIONS, {IDC_BACKGROUND_COLOR, IDOK});
    EXPECT_EQ(Now(), kRunning);
    EXPECT_EQ(Events(Kind::Game).size(), 2u);
    EXPECT_TRUE(Events(Kind::Over).empty());
    EXPECT_TRUE(headless.desktop.MessageBoxes().empty());
    EXPECT_EQ(Pixel(5, 300), 0xFF102030u);

    app.GameOver(window, Abandoned);
    During(ID_OPTIONS, {IDC_CLEAR_STACKS, IDOK});
    EXPECT_EQ(Now(), kRunning);
}

// Help neither pauses nor stops the game, also when the document cannot be opened.
TEST_F(MenuCommandsTest, HelpOpensTheDocumentAndReportsAFailure) {
    StartUp();
    headless.documents.QueueFailure({2, "No such file or directory"});
    Command(ID_HELP_TOPICS);
    Command(ID_HELP_TOPICS);
    EXPECT_EQ(headless.documents.Opened(),
              (std::vector<std::string>{"DeckfallHelp.htm", "DeckfallHelp.htm"}));
    ASSERT_EQ(headless.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(headless.desktop.MessageBoxes()[0].text, "No such file or directory");
    EXPECT_EQ(Now(), kRunning);
    EXPECT_EQ(window->Titles().size(), 1u) << "never paused";
}

// Winnings above the tenth score (10 with none stored) earn a row: the message, then the list
// with the score in its row open for the name.
TEST_F(MenuCommandsTest, AGameThatBeatsTheTenthScoreOpensTheListForTheName) {
    StartUp();
    const struct {
        const char* tenth;  // stored, or none
        std::int32_t winnings;
        int row;  // −1: no high score
    } cases[] = {{nullptr, 10, -1}, {nullptr, 11, 9}, {"$500", 500, -1}, {"$500", 501, 9}, {"x", 1, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.tenth ? c.tenth : "none") << " " << c.winnings);
        DeleteRegKey(HKEY_CURRENT_USER, HighScoresKey);
        for (int i = 0; c.tenth && i < 10; ++i) {
            WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Name" + std::to_string(i), "N");
            WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Score" + std::to_string(i),
                           i < 9 ? "$1000" : c.tenth);
        }
        Command(ID_NEW_GAME);
        headless.desktop.ForgetHistory();
        Game().AddWinnings(c.winnings);
        int open = -1;
        headless.desktop.dialogHandler = [&](HeadlessWindow& dialog, const auto&) {
            for (int k = 0; k < 10; ++k)
                if (!static_cast<HeadlessWindow*>(dialog.GetDlgItem(IDC_NAME0 + k))->IsReadOnly()) open = k;
            EXPECT_EQ(dialog.GetDlgItem(IDC_SCORE0 + open)->GetWindowText(), ScoreText(c.winnings));
        };
        app.GameOver(window, Abandoned);
        headless.desktop.dialogHandler = nullptr;
        EXPECT_EQ(open, c.row);
        ASSERT_EQ(headless.desktop.MessageBoxes().size(), c.row < 0 ? 0u : 1u);
        if (c.row >= 0) {
            EXPECT_EQ(headless.desktop.MessageBoxes()[0].text, "Congratulations!  You got a high score!");
        }
    }
}

}  // namespace
}  // namespace enginetest
