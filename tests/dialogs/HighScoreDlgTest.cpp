// The high-score list: where a new score goes among stored and default rows, which
// row takes the name, what OK, Cancel and Reset leave in the store, and names in any
// script read back whole after a restart.

#include <filesystem>
#include <optional>

#include "app/Registry.h"
#include "dialogs/CHighScoreDlg.h"
#include "resources/ResourceIds.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialogtest {
namespace {

struct Row {
    std::string name;
    std::string score;
    friend bool operator==(const Row&, const Row&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Row& row) {
        return out << '"' << row.name << "\" " << row.score;
    }
};

const std::vector<Row> kDefaults = {{"Vessa's Massive High Score", "$9100"}, {"Vessa the Conqueror", "$7290"},
                                    {"Vessa Kicks Butt", "$5680"},           {"Vessa Wins Big Time", "$4270"},
                                    {"Vessa Takes It All", "$3060"},         {"Vessa Wins Again", "$2050"},
                                    {"Vessa on a Slow Day", "$1240"},        {"Vessa Does Better", "$630"},
                                    {"Vessa the Almighty", "$220"},          {"Vessa's First Try", "$10"}};

// What the dialog shows, and which row is open for typing.
struct Shown {
    std::vector<Row> rows;
    int openRow = -1;
    int focus = 0;  // the identifier of the control with the focus
    int limit = 0;  // of the open row
};

class HighScoreDlgTest : public DialogFixture {
protected:
    void Store(const std::vector<Row>& rows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Name" + std::to_string(i), rows[i].name);
            WriteRegString(HKEY_CURRENT_USER, HighScoresKey, "Score" + std::to_string(i), rows[i].score);
        }
    }
    std::vector<Row> Stored() {
        std::vector<Row> rows;
        for (int i = 0; i < 10; ++i) {
            Row row;
            if (!ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "Name" + std::to_string(i), row.name,
                               1024) ||
                !ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "Score" + std::to_string(i), row.score,
                               1024))
                break;
            rows.push_back(row);
        }
        return rows;
    }
    static Shown Look(HeadlessWindow& dialog) {
        Shown shown;
        for (int k = 0; k < 10; ++k) {
            shown.rows.push_back({Text(dialog, IDC_NAME0 + k), Text(dialog, IDC_SCORE0 + k)});
            if (!Control(dialog, IDC_NAME0 + k).IsReadOnly()) {
                EXPECT_EQ(shown.openRow, -1) << "one row open at most";
                shown.openRow = k;
                shown.limit = Control(dialog, IDC_NAME0 + k).TextLimit();
            }
        }
        std::vector<int> focusable{platform::IDOK, platform::IDCANCEL, IDC_RESET};
        for (int k = 0; k < 10; ++k) focusable.push_back(IDC_NAME0 + k);
        for (int id : focusable)
            if (Control(dialog, id).HasFocus()) shown.focus = id;
        return shown;
    }
    // Opens the list as the end of a game with these winnings opens it, or from the menu without.
    Shown OpenList(std::optional<std::int32_t> winnings,
                   const std::function<void(HeadlessWindow&)>& then = {}, std::intptr_t* result = nullptr) {
        app.highScorePending = winnings ? 1 : 0;
        app.pendingScore = winnings.value_or(0);
        Shown shown;
        const std::intptr_t ended = Open(IDD_HIGH_SCORES, HighScoreDlgProc, [&](HeadlessWindow& dialog) {
            shown = Look(dialog);
            if (then) then(dialog);
        });
        if (result) *result = ended;
        return shown;
    }
};

std::vector<Row> Scores(std::initializer_list<int> scores) {
    std::vector<Row> rows;
    for (int score : scores) rows.push_back({"P" + std::to_string(score), ScoreText(score)});
    return rows;
}

// The rows with one more at the place, the tenth falling off.
std::vector<Row> With(std::vector<Row> rows, std::size_t at, Row row) {
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), row);
    if (rows.size() > 10) rows.resize(10);
    return rows;
}

std::vector<Row> Replacing(std::vector<Row> rows, std::size_t at, Row row) {
    rows[at] = row;
    return rows;
}

std::vector<Row> Joined(std::vector<Row> rows, std::size_t from) {
    rows.insert(rows.end(), kDefaults.begin() + static_cast<std::ptrdiff_t>(from), kDefaults.end());
    return rows;
}

// A new score goes below every row it does not beat, ties included, and above the rest.
TEST_F(HighScoreDlgTest, NewScoreTakesItsRowAmongStoredAndDefaultRows) {
    const std::vector<Row> ten = Scores({900, 800, 800, 700, 600, 500, 400, 300, 200, 100});
    const std::vector<Row> five = Scores({9000, 8000, 7000, 6000, 5000});
    const struct {
        const char* what;
        std::vector<Row> stored;
        std::int32_t score;
        int row;
        std::vector<Row> shown;
    } cases[] = {
        {"no list: a default is replaced, not pushed down",
         {},
         5000,
         3,
         Replacing(kDefaults, 3, {"", "$5000"})},
        {"no list: one more than the tenth", {}, 11, 9, Replacing(kDefaults, 9, {"", "$11"})},
        {"no list: equal to the tenth takes no row", {}, 10, -1, kDefaults},
        {"no list: above the best", {}, 20000, 0, Replacing(kDefaults, 0, {"", "$20000"})},
        {"ties go below", ten, 800, 3, With(ten, 3, {"", "$800"})},
        {"the tenth falls off", ten, 101, 9, With(ten, 9, {"", "$101"})},
        {"below the tenth", ten, 100, -1, ten},
        {"partial list: among the stored rows", five, 6500, 3, Joined(With(five, 3, {"", "$6500"}), 6)},
        // The stored rows keep their places; the first default row it beats is its.
        {"partial list: below the stored rows", five, 3500, 5, Replacing(Joined(five, 5), 5, {"", "$3500"})},
        {"partial list: beaten by every row", five, 2000, 6, Replacing(Joined(five, 5), 6, {"", "$2000"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, HighScoresKey) || Stored().empty());
        Store(c.stored);
        const Shown shown = OpenList(c.score);
        EXPECT_EQ(shown.rows, c.shown);
        EXPECT_EQ(shown.openRow, c.row);
        EXPECT_EQ(shown.focus, c.row < 0 ? platform::IDOK : IDC_NAME0 + c.row);
        if (c.row >= 0) {
            EXPECT_EQ(shown.limit, 255);
        }
    }
}

// Texts that do not fit a name field end the stored list there: the rest are defaults.
TEST_F(HighScoreDlgTest, UnreadableEntryEndsTheStoredList) {
    std::vector<Row> stored = Scores({900, 800, 700});
    stored[2].name = std::string(256, 'x');
    Store(stored);
    store->WriteValue(HighScoresKey, "Score1", 800u);  // not a text
    EXPECT_EQ(OpenList(std::nullopt).rows, Joined({stored[0]}, 1));

    store->WriteValue(HighScoresKey, "Score1", std::string("$800"));
    const Shown shown = OpenList(500);
    EXPECT_EQ(shown.openRow, 8) << "among the defaults below the readable rows, where it beats $220";
    EXPECT_EQ(shown.rows, Replacing(Joined({stored[0], stored[1]}, 2), 8, {"", "$500"}));
}

// From the menu nothing is open for typing; OK writes all ten rows as shown, Cancel nothing.
TEST_F(HighScoreDlgTest, ViewerShowsEveryRowReadOnlyAndOkWritesAllTenAsShown) {
    std::intptr_t result = 0;
    const Shown shown = OpenList(std::nullopt, {}, &result);
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(shown.openRow, -1);
    EXPECT_EQ(shown.focus, platform::IDOK);
    EXPECT_TRUE(Stored().empty());

    // Typing into a read-only row changes nothing.
    OpenList(std::nullopt, [](HeadlessWindow& dialog) {
        dialog.Type(IDC_NAME0, "Mallory");
        dialog.Click(platform::IDOK);
    });
    EXPECT_EQ(Stored(), kDefaults);
}

TEST_F(HighScoreDlgTest, OkStoresTheTypedNameAndCancelDropsIt) {
    std::intptr_t result = 0;
    OpenList(
        300,
        [](HeadlessWindow& dialog) {
            dialog.Type(IDC_NAME0 + 8, "Ada");
            dialog.Click(platform::IDCANCEL);
        },
        &result);
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_TRUE(Stored().empty());

    OpenList(
        300,
        [](HeadlessWindow& dialog) {
            dialog.Type(IDC_NAME0 + 8, "Ada");
            dialog.Click(platform::IDOK);
        },
        &result);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(Stored(), Replacing(kDefaults, 8, {"Ada", "$300"}));
    // An empty name is a name too.
    OpenList(250, [](HeadlessWindow& dialog) { dialog.Click(platform::IDOK); });
    EXPECT_EQ(Stored(), With(Replacing(kDefaults, 8, {"Ada", "$300"}), 9, {"", "$250"}));
}

// Reset asks first; Yes erases the key at once, and Cancel afterwards does not bring it back.
TEST_F(HighScoreDlgTest, ResetErasesTheKeyAndPlacesTheNewEntryAmongTheDefaults) {
    const std::vector<Row> ten = Scores({900, 800, 700, 600, 500, 400, 300, 200, 150, 100});
    Store(ten);
    headless.desktop.QueueAnswer(platform::IDNO);
    headless.desktop.QueueAnswer(platform::IDYES);
    Shown before;
    Shown after;
    OpenList(650, [&](HeadlessWindow& dialog) {
        dialog.Type(IDC_NAME0 + 3, "Lost");
        dialog.Click(IDC_RESET);
        EXPECT_EQ(Stored(), ten) << "No keeps the list";
        before = Look(dialog);
        dialog.Click(IDC_RESET);
        after = Look(dialog);
        dialog.Click(platform::IDCANCEL);
    });
    const auto& box = headless.desktop.MessageBoxes().at(0);
    EXPECT_EQ(box.text, "Are you sure you want to erase all high scores?");
    EXPECT_EQ(box.caption, "Reset Scores");
    EXPECT_EQ(box.style, platform::MB_YESNO);
    EXPECT_EQ(before.openRow, 3);
    EXPECT_EQ(before.rows[3], (Row{"Lost", "$650"}));
    // Among the defaults 650 beats $630, row 7; row 3 is closed again.
    EXPECT_EQ(after.rows, Replacing(kDefaults, 7, {"", "$650"}));
    EXPECT_EQ(after.openRow, 7);
    EXPECT_EQ(after.focus, IDC_NAME0 + 7);
    EXPECT_FALSE(store->ReadValue(HighScoresKey, "Score0"));
    EXPECT_EQ(OpenList(std::nullopt).rows, kDefaults);
}

// Names are kept as UTF-8 and come back whole, whatever their script, up to 255
// characters as the field counts them: a character outside the basic plane counts two.
TEST(HighScoreStoreTest, NamesInAnyScriptSurviveARestartWhole) {
    const auto file =
        std::filesystem::temp_directory_path() / ("deckfall-scores-" + std::to_string(::getpid()));
    std::filesystem::remove_all(file.parent_path() / file.filename());
    const std::string cyrillic = "Ж";
    const std::string emoji = "🂡";  // two units
    std::string typed;
    for (int i = 0; i < 300; ++i) typed += cyrillic;
    std::string full;
    for (int i = 0; i < 255; ++i) full += cyrillic;
    std::string pairs;
    for (int i = 0; i < 127; ++i) pairs += emoji;

    // One run of the program over the store file.
    struct Run : DialogSession {
        explicit Run(const std::filesystem::path& path)
            : DialogSession(platform::SqliteSettingsStore::Open(path)) {}
    };
    const auto type = [](int row, const std::string& text) {
        return [row, text](HeadlessWindow& dialog) {
            dialog.Type(IDC_NAME0 + row, text);
            dialog.Click(platform::IDOK);
        };
    };
    {
        Run first(file);
        first.app.highScorePending = 1;
        first.app.pendingScore = 9500;
        first.Open(IDD_HIGH_SCORES, HighScoreDlgProc, type(0, typed));
        first.app.pendingScore = 9400;
        first.Open(IDD_HIGH_SCORES, HighScoreDlgProc, type(1, pairs + emoji + "x"));
    }
    Run second(file);
    std::vector<std::string> names;
    second.Open(IDD_HIGH_SCORES, HighScoreDlgProc, [&](HeadlessWindow& dialog) {
        for (int k = 0; k < 3; ++k) names.push_back(DialogSession::Text(dialog, IDC_NAME0 + k));
    });
    EXPECT_EQ(names, (std::vector<std::string>{full, pairs + "x", "Vessa the Conqueror"}));
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace dialogtest
