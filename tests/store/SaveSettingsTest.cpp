// Saving at close into a settings file that another copy of the game keeps from being
// written: the close is held up briefly, says what it could not save, and loses nothing.

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "app/Settings.h"
#include "platform/Services.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "tests/support/StoreFiles.h"
#include "tests/support/StoredSettings.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::SqliteSettingsStore;
using namespace std::chrono_literals;

const std::string kNotSaved = "deckfall: the options and the window placement were not saved: ";

class SaveSettingsTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        file_ = dir_ / "settings.db";
        GameOptions = {};
    }
    StoredList Saved() { return Stored(*SqliteSettingsStore::Open(file_)); }
    // A close with every option and placement value set to `value`.
    bool Close(std::uint32_t value, std::ostream& diagnostics) {
        auto store = SqliteSettingsStore::Open(file_);
        const platform::ScopedServices services{{.settings = store.get()}};
        CMainWindow window;
        for (std::int32_t* field :
             {&GameOptions.Beep, &GameOptions.Music, &GameOptions.ClearStacks, &GameOptions.GetFaster,
              &GameOptions.SwapMode, &GameOptions.OneDeck, &GameOptions.EndOnShuffle, &GameOptions.LastStack,
              &GameOptions.UpDown, &GameOptions.CollapseRegime, &GameOptions.ShowNagDlg,
              &GameOptions.ForegroundColor, &GameOptions.BackgroundColor, &window.Top, &window.Left,
              &window.Width, &window.Height, &window.MinMax})
            *field = static_cast<std::int32_t>(value);
        return SaveSettings(window, diagnostics);
    }
    static StoredList AllSavedAs(std::uint32_t value) {
        StoredList values(std::size(kStoredNames), value);
        values[0] = 0u;  // FirstBoot
        return values;
    }

    fs::path file_;
};

TEST_F(SaveSettingsTest, AStoreLockedByAnotherCopyHoldsTheCloseUpBrieflyAndKeepsItsValues) {
    std::ostringstream diagnostics;
    ASSERT_TRUE(Close(7, diagnostics));
    ASSERT_EQ(Saved(), AllSavedAs(7));

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file_.c_str(), &other), SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> closer(other, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(Close(8, diagnostics));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 4s);  // about two seconds
    EXPECT_EQ(diagnostics.str(), kNotSaved + "database is locked\n");

    ASSERT_EQ(sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(Saved(), AllSavedAs(7));
    EXPECT_TRUE(Close(8, diagnostics));
    EXPECT_EQ(Saved(), AllSavedAs(8));
    EXPECT_EQ(diagnostics.str(), kNotSaved + "database is locked\n");
}

// A copy run as another user, and ended without closing, leaves the store's log files
// behind, which the player can read but not write. Root may write anything, so a child
// process that is not root plays the player.
TEST_F(SaveSettingsTest, LogFilesThePlayerCannotWriteAreReportedAndLoseNothing) {
    const passwd* nobody = ::getpwnam("nobody");
    const bool root = ::geteuid() == 0;
    if (root && !nobody) GTEST_SKIP() << "no user but root to play the player";

    std::ostringstream ignored;
    ASSERT_TRUE(Close(7, ignored));
    if (root) {
        ASSERT_EQ(chown(dir_.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        ASSERT_EQ(chown(file_.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    ASSERT_EQ(InChild([&] {
                  // Never closed: the copy is ended as it runs.
                  SqliteSettingsStore* store = SqliteSettingsStore::Open(file_).release();
                  return store->WriteValue(SettingsKey, "Beep", 9u) ? 0 : 1;
              }),
              0);
    for (const char* log : {"-wal", "-shm"}) {
        ASSERT_TRUE(fs::exists(file_.string() + log)) << log;
        fs::permissions(file_.string() + log,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }

    const int saved = InChild([&] {
        if (root && !BecomePlayer(*nobody)) return 3;
        std::ofstream said(dir_ / "said");
        return Close(8, said) ? 1 : 0;
    });
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(ReadBytes(dir_ / "said"), kNotSaved + "attempt to write a readonly database\n");
    StoredList before = AllSavedAs(7);
    before[1] = 9u;  // Beep, from the other copy
    EXPECT_EQ(Saved(), before);
}

}  // namespace
