// The high-score list: where a new score goes among stored and default rows, which row
// takes the name, what OK, Cancel and Reset leave in the store, and names in any
// script read back whole after a restart.

#include <optional>

#include "app/Registry.h"
#include "dialogs/CHighScoreDlg.h"
#include "resources/ResourceIds.h"
#include "tests/dialogs/DialogFixture.h"
#include "tests/support/StoreFiles.h"
#include "tests/support/TempFolder.h"

namespace dialogtest {
namespace {

// "name $score" from the top; the row open for typing (focused, 255 characters) starts with "*".
using Rows = std::vector<std::string>;

// The rows with one put over the one at the place, or in before it (the tenth falls off).
Rows Put(Rows rows, std::size_t at, const std::string& row, bool insert = false) {
    if (!insert) return rows[at] = row, rows;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), row);
    return rows.resize(10), rows;
}

// The rows in the store, as "name $score", up to the first missing.
Rows Stored() {
    Rows rows;
    for (std::string name, score;
         ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "Name" + std::to_string(rows.size()), name, 999) &&
         ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "Score" + std::to_string(rows.size()), score, 999);)
        rows.push_back(name + " " + score);
    return rows;
}

class HighScoreDlgTest : public DialogFixture {
protected:
    // The stored scores, then the rows the list shows with nothing stored from the one given.
    Rows Scores(std::initializer_list<int> scores, std::size_t defaultsFrom = 10) {
        Rows rows;
        for (int score : scores) rows.push_back("P " + ScoreText(score));
        rows.insert(rows.end(), kDefaults.begin() + static_cast<std::ptrdiff_t>(defaultsFrom),
                    kDefaults.end());
        return rows;
    }
    void Store(const Rows& rows) {
        DeleteRegKey(HKEY_CURRENT_USER, HighScoresKey);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::size_t blank = rows[i].rfind(' ');
            const std::string index = std::to_string(i);
            WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Name" + index, rows[i].substr(0, blank));
            WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Score" + index, rows[i].substr(blank + 1));
        }
    }
    static Rows Look(HeadlessWindow& dialog) {
        Rows rows;
        for (int k = 0; k < 10; ++k) {
            HeadlessWindow& name = Control(dialog, IDC_NAME0 + k);
            const bool open = !name.IsReadOnly();
            rows.push_back((open ? name.HasFocus() && name.TextLimit() == 255 ? "*" : "?" : "") +
                           name.GetWindowText() + " " + Control(dialog, IDC_SCORE0 + k).GetWindowText());
        }
        return rows;
    }
    // Opened at the end of a game with these winnings, or from the menu without; the player acts last.
    Rows List(std::optional<std::int32_t> winnings, const std::function<void(HeadlessWindow&)>& player = {}) {
        app.highScorePending = winnings.has_value();
        app.pendingScore = winnings.value_or(0);
        Rows rows;
        Open(IDD_HIGH_SCORES, HighScoreDlgProc, [&](HeadlessWindow& dialog) {
            rows = Look(dialog);
            EXPECT_TRUE(winnings || Control(dialog, platform::IDOK).HasFocus());
            if (player) player(dialog);
        });
        return rows;
    }

    const Rows kDefaults = List(std::nullopt);
};

// A new score goes below every row it does not beat, ties included; a stored row is never overwritten.
TEST_F(HighScoreDlgTest, NewScoreTakesItsRowAmongStoredAndDefaultRows) {
    const Rows ten = Scores({900, 800, 800, 700, 600, 500, 400, 300, 200, 100});
    const Rows five = Scores({9000, 8000, 7000, 6000, 5000});
    const std::tuple<Rows, std::int32_t, Rows> cases[] = {
        {{}, 5000, Put(kDefaults, 3, "* $5000")},  // a default is replaced, not pushed down
        {{}, 11, Put(kDefaults, 9, "* $11")},
        {{}, 10, kDefaults},
        {ten, 800, Put(ten, 3, "* $800", true)},
        {ten, 101, Put(ten, 9, "* $101", true)},
        {ten, 100, ten},
        {five, 6500, Put(Scores({9000, 8000, 7000, 6000, 5000}, 6), 3, "* $6500", true)},
        {five, 3500, Put(Scores({9000, 8000, 7000, 6000, 5000}, 5), 5, "* $3500")},
    };
    for (const auto& [stored, score, shown] : cases) {
        Store(stored);
        EXPECT_EQ(List(score), shown) << stored.size() << " stored, new " << score;
    }
}

// OK writes all ten rows as shown, defaults included; Cancel writes nothing; read-only rows take no typing.
TEST_F(HighScoreDlgTest, OkStoresEveryRowAndCancelNothing) {
    const auto type = [](int row, int end) {
        return [=](HeadlessWindow& dialog) { dialog.Type(IDC_NAME0 + row, "Ada"), dialog.Click(end); };
    };
    List(std::nullopt, type(0, platform::IDCANCEL));
    EXPECT_TRUE(Stored().empty());
    List(std::nullopt, type(0, platform::IDOK));
    EXPECT_EQ(Stored(), kDefaults);
    List(300, type(8, platform::IDCANCEL));
    EXPECT_EQ(Stored(), kDefaults);
    List(300, type(8, platform::IDOK));
    EXPECT_EQ(Stored(), Put(kDefaults, 8, "Ada $300", true));
}

// Yes erases the key at once and places the entry among the defaults; Cancel does not bring it back.
TEST_F(HighScoreDlgTest, ResetErasesTheListEvenWhenCancelledAfterwards) {
    Store(Scores({900, 800, 700, 600, 500, 400, 300, 200, 150, 100}));
    headless.desktop.QueueAnswer(platform::IDNO);
    headless.desktop.QueueAnswer(platform::IDYES);
    Rows kept, reset;
    List(650, [&](HeadlessWindow& dialog) {
        dialog.Click(IDC_RESET);
        kept = Look(dialog);
        dialog.Click(IDC_RESET);
        reset = Look(dialog);
    });
    EXPECT_EQ(headless.desktop.MessageBoxes().at(0).text, "Are you sure you want to erase all high scores?");
    EXPECT_EQ(kept, Put(Scores({900, 800, 700, 600, 500, 400, 300, 200, 150}), 3, "* $650", true));
    EXPECT_EQ(reset, Put(kDefaults, 7, "* $650")) << "650 beats $630; row 3 is closed again";
    EXPECT_TRUE(Stored().empty());
}

// One run of the program on the settings file: games won with a name typed in the new row.
class HighScoreStoreTest : public TempFolderTest {
protected:
    std::unique_ptr<DialogSession> Run() {
        return std::make_unique<DialogSession>(platform::SqliteSettingsStore::Open(dir_ / "settings.db"));
    }
    static void Win(DialogSession& run, std::int32_t score, int row, const std::string& name) {
        run.app.highScorePending = 1;
        run.app.pendingScore = score;
        run.Open(IDD_HIGH_SCORES, HighScoreDlgProc, [&](HeadlessWindow& dialog) {
            dialog.Type(IDC_NAME0 + row, name), dialog.Click(platform::IDOK);
        });
    }
};

// A save that fails part of the way (here the store refuses the sixth score) leaves the
// list stored before, whole: never the first rows of the new list over the rest of the old.
TEST_F(HighScoreStoreTest, ASaveCutShortKeepsTheListStoredBefore) {
    const auto run = Run();
    Win(*run, 9500, 0, "Ada");
    const Rows before = Stored();
    ASSERT_EQ(before.at(0), "Ada $9500");
    for (const char* when : {"INSERT", "UPDATE"}) {
        const std::string trigger = std::string("CREATE TRIGGER refuse_") + when + " BEFORE " + when +
                                    " ON registry_value WHEN NEW.name = 'Score5'"
                                    " BEGIN SELECT RAISE(ABORT, 'refused'); END";
        Query(dir_ / "settings.db", trigger.c_str());
    }
    Win(*run, 9600, 0, "Ada");
    EXPECT_EQ(Stored(), before);
}

// Names are UTF-8 in the store and come back whole: 255 characters as the field counts
// them, where a character outside the basic plane counts two.
TEST_F(HighScoreStoreTest, NamesInAnyScriptSurviveARestartWhole) {
    std::string cyrillic, cards;
    for (int i = 0; i < 300; ++i) cyrillic += "Ж";
    for (int i = 0; i < 128; ++i) cards += "🂡";
    {
        const auto first = Run();
        Win(*first, 9500, 0, cyrillic);
        Win(*first, 9400, 1, cards + "x");
    }
    Rows names;
    Run()->Open(IDD_HIGH_SCORES, HighScoreDlgProc, [&](HeadlessWindow& dialog) {
        for (int k = 0; k < 2; ++k)
            names.push_back(DialogSession::Control(dialog, IDC_NAME0 + k).GetWindowText());
    });
    EXPECT_EQ(names, (Rows{cyrillic.substr(0, 2 * 255), cards.substr(0, 4 * 127) + "x"}));
}

}  // namespace
}  // namespace dialogtest
