// The menu commands on a running game: each dialog pauses the game while it is open
// and lets it run again afterwards unless it is over; Options may start a new game;
// Help opens the document without pausing; the welcome dialog at start-up; and the
// end of a game that earns a place in the high-score list.

#include "app/Registry.h"
#include "dialogs/CHighScoreDlg.h"
#include "resources/DialogTemplates.h"
#include "tests/engine/GameFixture.h"

namespace enginetest {
namespace {

using platform::HeadlessWindow;
using platform::IDCANCEL;
using platform::IDOK;

// The title and whether the fall timer runs, as the player sees them.
struct Seen {
    std::string title;
    bool timer = false;
    friend bool operator==(const Seen&, const Seen&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Seen& seen) {
        return out << '"' << seen.title << '"' << (seen.timer ? " running" : " stopped");
    }
};

const Seen kRunning{"Deckfall", true};
const Seen kPaused{"Deckfall - Paused", false};
const Seen kOver{"Deckfall - Game Over", false};

class MenuCommandsTest : public GameFixture {
protected:
    // What the player saw while the command's dialog was open.
    Seen During(int command, const std::function<void(HeadlessWindow&)>& player = {}) {
        Seen seen;
        headless.desktop.dialogHandler = [&](HeadlessWindow& dialog, const platform::DialogTemplate&) {
            seen = {window->GetWindowText(), window->Timers().contains(1)};
            if (player) player(dialog);
        };
        Command(command);
        headless.desktop.dialogHandler = nullptr;
        return seen;
    }
    Seen Now() { return {window->GetWindowText(), window->Timers().contains(1)}; }
    void Over() { app.GameOver(window, Abandoned); }
    std::size_t Games() { return Events(Kind::Game).size(); }
};

// A game paused with F3 runs again after the dialog; a game that is over stays over.
TEST_F(MenuCommandsTest, DialogCommandsPauseWhileOpenAndResumeUnlessOver) {
    StartUp();
    const std::pair<int, int> commands[] = {
        {IDM_ABOUT, IDD_ABOUT}, {ID_HIGH_SCORES, IDD_HIGH_SCORES}, {ID_INTRODUCTION, IDD_WELCOME}};
    for (const auto& [command, dialog] : commands) {
        SCOPED_TRACE(dialog);
        EXPECT_EQ(During(command), kPaused);
        EXPECT_EQ(Now(), kRunning);
        EXPECT_EQ(headless.desktop.Dialogs().back().templateId, dialog);
        EXPECT_EQ(headless.desktop.Dialogs().back().owner, window);

        Command(ID_PAUSE);
        EXPECT_EQ(During(command), kPaused);
        EXPECT_EQ(Now(), kRunning);
    }
    Over();
    for (const auto& [command, dialog] : commands) {
        EXPECT_EQ(During(command), kOver);
        EXPECT_EQ(Now(), kOver);
    }
    EXPECT_EQ(Games(), 1u);
    EXPECT_TRUE(headless.desktop.MessageBoxes().empty());
}

// OK with a rule or colour changed drops the game at once, without a question; anything
// else goes back to the game where it was.
TEST_F(MenuCommandsTest, OptionsStartANewGameOnlyWhenARuleOrColourChanged) {
    Put("OneDeck", 0);
    StartUp();
    DropOn(0);
    const CPlayfield* first = app.playfield.get();
    const auto options = [&](std::vector<int> clicks) {
        return During(ID_OPTIONS, [clicks](HeadlessWindow& dialog) {
            for (int id : clicks) dialog.Click(id);
        });
    };
    EXPECT_EQ(options({IDC_UPSIDE_DOWN, IDCANCEL}), kPaused);
    EXPECT_EQ(options({IDC_SOUND_EFFECTS, IDOK}), kPaused);
    EXPECT_EQ(Now(), kRunning);
    EXPECT_EQ(app.playfield.get(), first);
    EXPECT_EQ(Cards(0).size(), 1u);
    EXPECT_EQ(GameOptions.Beep, 0);
    EXPECT_EQ(GameOptions.UpDown, 1);

    // Paused with F3, a new background: the new game runs at once, in the new colour.
    headless.colors.player = [](const platform::ColorPickerRecord&, auto&) {
        return std::optional<platform::ColorRef>(platform::Rgb(0x10, 0x20, 0x30));
    };
    Command(ID_PAUSE);
    options({IDC_BACKGROUND_COLOR, IDOK});
    EXPECT_EQ(Now(), kRunning);
    EXPECT_EQ(Games(), 2u);
    EXPECT_TRUE(Events(Kind::Over).empty()) << "the old game was not ended as a game";
    EXPECT_TRUE(headless.desktop.MessageBoxes().empty());
    EXPECT_TRUE(Cards(0).empty());
    EXPECT_EQ(Pixel(5, 300), 0xFF102030u);

    // A game that is over stays over after Cancel and gives way to a new one after OK.
    Over();
    options({IDC_CLEAR_STACKS, IDCANCEL});
    EXPECT_EQ(Now(), kOver);
    options({IDC_CLEAR_STACKS, IDOK});
    EXPECT_EQ(Now(), kRunning);
    EXPECT_EQ(Games(), 3u);
}

// Help neither pauses nor stops the game, also when the document cannot be opened.
TEST_F(MenuCommandsTest, HelpOpensTheDocumentAndReportsAFailure) {
    StartUp();
    Command(ID_HELP_TOPICS);
    EXPECT_EQ(headless.documents.Opened(), std::vector<std::string>{"DeckfallHelp.htm"});
    EXPECT_TRUE(headless.desktop.MessageBoxes().empty());
    EXPECT_EQ(Now(), kRunning);
    EXPECT_EQ(window->Titles().size(), 1u) << "never paused";

    headless.documents.QueueFailure({2, "No such file or directory"});
    Command(ID_HELP_TOPICS);
    ASSERT_EQ(headless.desktop.MessageBoxes().size(), 1u);
    const platform::MessageBoxRecord& box = headless.desktop.MessageBoxes()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, "Deckfall");
    EXPECT_EQ(box.text, "No such file or directory");
    EXPECT_EQ(box.style, platform::MB_OK | platform::MB_ICONINFORMATION);
    EXPECT_EQ(Now(), kRunning);
}

// The first start opens the welcome over the new game: shortened by 200 pixels, centred,
// OK in focus; Esc ends it like OK.
TEST_F(MenuCommandsTest, WelcomeOpensAtStartUpOverTheNewGame) {
    Put("ShowNagDlg", 1);
    Seen seen;
    bool okFocused = false;
    headless.desktop.dialogHandler = [&](HeadlessWindow& dialog, const platform::DialogTemplate&) {
        seen = {headless.desktop.MainWindow()->GetWindowText(),
                headless.desktop.MainWindow()->Timers().contains(1)};
        okFocused = static_cast<HeadlessWindow*>(dialog.GetDlgItem(IDOK))->HasFocus();
        EXPECT_TRUE(app.playfield) << "the game is there behind it";
        dialog.SendMessage(platform::Msg::Command, IDCANCEL, 0);
    };
    StartUp();
    ASSERT_EQ(headless.desktop.Dialogs().size(), 1u);
    const platform::DialogRecord& welcome = headless.desktop.Dialogs()[0];
    EXPECT_EQ(welcome.templateId, IDD_WELCOME);
    EXPECT_EQ(welcome.result, IDCANCEL);
    EXPECT_EQ(seen, kPaused);
    EXPECT_TRUE(okFocused);
    // 248 × 242 units of 2 × 2 pixels and a title bar of 42, less 200, over the 708 × 546 window.
    EXPECT_EQ(welcome.outer, (platform::Rect{106, 110, 602, 436}));
    EXPECT_EQ(Now(), kRunning);

    // About is centred too, and OK ends it.
    headless.desktop.dialogHandler = [](HeadlessWindow& dialog, const platform::DialogTemplate&) {
        dialog.Click(IDOK);
    };
    Command(IDM_ABOUT);
    EXPECT_EQ(headless.desktop.Dialogs().back().result, IDOK);
    EXPECT_EQ(headless.desktop.Dialogs().back().outer, (platform::Rect{163, 114, 545, 432}));
}

TEST_F(MenuCommandsTest, WithoutTheWelcomeOptionTheGameStartsRunning) {
    StartUp();
    EXPECT_TRUE(headless.desktop.Dialogs().empty());
    EXPECT_EQ(Now(), kRunning);
}

// Winnings above the tenth score earn a row: the message first, then the list with the
// new score in its place and its name open; the hand-over is cleared afterwards.
TEST_F(MenuCommandsTest, AGameThatBeatsTheTenthScoreOpensTheListForTheName) {
    StartUp();
    const struct {
        const char* tenth;  // stored "score9", or none
        std::int32_t winnings;
        int row;  // the row opened, or −1: no high score
    } cases[] = {
        {nullptr, 10, -1}, {nullptr, 11, 9}, {nullptr, -5, -1}, {"$500", 500, -1},
        {"$500", 501, 9},  {"x", 1, 9},  // a tenth that is no number is beaten by any positive score
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.tenth ? c.tenth : "none") << " " << c.winnings);
        DeleteRegKey(HKEY_CURRENT_USER, HighScoresKey);
        if (c.tenth) {
            for (int i = 0; i < 10; ++i) {
                WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Name" + std::to_string(i), "N");
                WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Score" + std::to_string(i),
                               i < 9 ? "$1000" : c.tenth);
            }
        }
        headless.desktop.ForgetHistory();
        Command(ID_NEW_GAME);
        headless.desktop.ForgetHistory();
        Game().AddWinnings(c.winnings);
        int open = -1;
        std::string score;
        headless.desktop.dialogHandler = [&](HeadlessWindow& dialog, const platform::DialogTemplate&) {
            for (int k = 0; k < 10; ++k)
                if (!static_cast<HeadlessWindow*>(dialog.GetDlgItem(IDC_NAME0 + k))->IsReadOnly()) open = k;
            if (open >= 0) score = dialog.GetDlgItem(IDC_SCORE0 + open)->GetWindowText();
        };
        Over();
        headless.desktop.dialogHandler = nullptr;
        const auto& boxes = headless.desktop.MessageBoxes();
        if (c.row < 0) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_TRUE(headless.desktop.Dialogs().empty());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Congratulations!  You got a high score!");
        EXPECT_EQ(boxes[0].caption, "Game Over");
        ASSERT_EQ(headless.desktop.Dialogs().size(), 1u);
        EXPECT_EQ(headless.desktop.Dialogs()[0].templateId, IDD_HIGH_SCORES);
        EXPECT_EQ(headless.desktop.Dialogs()[0].owner, window);
        EXPECT_EQ(open, c.row);
        EXPECT_EQ(score, ScoreText(c.winnings));
        EXPECT_EQ(app.highScorePending, 0);
        EXPECT_EQ(app.pendingScore, 0);
    }
}

}  // namespace
}  // namespace enginetest
