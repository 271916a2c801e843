// The settings file on disk: where it lives, what survives a restart, what happens
// to a damaged file, and two copies of the game writing at once.

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "platform/LastError.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "tests/support/StoreFiles.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::SettingsValue;
using platform::SettingsWrite;
using platform::SqliteSettingsStore;
using namespace std::chrono_literals;

constexpr const char* kSettings = "Software\\Quillmoor\\Deckfall";
constexpr const char* kScores = "Software\\Quillmoor\\Deckfall\\HighScores";

using SqliteSettingsStoreTest = TempFolderTest;

TEST_F(SqliteSettingsStoreTest, ValuesSurviveReopeningInAPrivateWalFile) {
    const fs::path file = dir_ / "Quillmoor" / "Deckfall" / "settings.db";
    std::ostringstream diagnostics;
    ASSERT_TRUE(SqliteSettingsStore::Open(file, diagnostics)->WriteValue(kSettings, "Up", 7u));
    EXPECT_EQ(Query(file, "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(fs::status(file.parent_path()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(SqliteSettingsStore::Open(file, diagnostics)->ReadValue(kSettings, "up"), SettingsValue(7u));
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(SqliteSettingsStoreTest, DamagedFilesAreMovedAsideAndANewStoreBegins) {
    const fs::path file = dir_ / "settings.db";
    auto store = SqliteSettingsStore::Open(file);
    for (int i = 0; i < 300; ++i)
        store->WriteValue(kSettings, "Name" + std::to_string(i), std::string(200, 'x'));
    store.reset();
    std::string truncated = ReadBytes(file);
    truncated.resize(truncated.size() / 2);
    fs::remove(file);
    Query(file, "CREATE TABLE notes (t TEXT); INSERT INTO notes VALUES ('keep me')");
    const std::string foreign = ReadBytes(file);
    fs::remove(file);
    SqliteSettingsStore::Open(file)->WriteValues(
        std::vector<SettingsWrite>{{kSettings, "Beep", 1u}, {kSettings, "Music", 1u}});
    const std::string sound = ReadBytes(file);
    // The check reports a page it cannot read over two lines.
    std::string brokenPage = sound;
    brokenPage[brokenPage.size() - 4096] = 0;
    // Names out of their order, which saves then trip over.
    std::string outOfOrder = sound;
    outOfOrder.replace(outOfOrder.find("Music"), 5, "Apple");
    // Sound pages and Deckfall's marks, but a column's name changed: nothing could be read or saved.
    Query(file,
          "PRAGMA writable_schema = ON;"
          "UPDATE sqlite_schema SET sql = replace(sql, 'path', 'pa_h') WHERE name = 'registry_key'");
    const std::string altered = ReadBytes(file);
    const std::string garbage = "[Deckfall]\nBeep=1\n";

    // The second garbage file lands in the same second and must not replace the first.
    for (const std::string& bytes : {garbage, truncated, foreign, brokenPage, outOfOrder, altered, garbage}) {
        SCOPED_TRACE(testing::Message() << "case of " << bytes.size() << " bytes");
        WriteBytes(file, bytes);
        WriteBytes(dir_ / "settings.db-wal", "log of " + bytes);
        const std::set<fs::path> before = FilesIn(dir_);
        std::ostringstream diagnostics;
        store = SqliteSettingsStore::Open(file, diagnostics);

        std::vector<fs::path> added;
        for (const fs::path& path : FilesIn(dir_))
            if (!before.contains(path) && !path.string().ends_with("-shm") &&
                path.string().find(".damaged-") != std::string::npos)
                added.push_back(path);
        ASSERT_EQ(added.size(), 2u);  // the file and its log, in name order
        EXPECT_EQ(ReadBytes(added[0]), bytes);
        EXPECT_EQ(ReadBytes(added[1]), "log of " + bytes);
        EXPECT_EQ(added[1], added[0].string() + "-wal");
        const std::string line = diagnostics.str();
        EXPECT_NE(line.find(added[0].filename().string()), std::string::npos) << line;
        EXPECT_EQ(Lines(line), 1) << line;

        EXPECT_EQ(store->ReadValue(kSettings, "Name0"), std::nullopt);
        EXPECT_TRUE(store->WriteValue(kSettings, "Beep", 0u));
        store = SqliteSettingsStore::Open(file, diagnostics);
        EXPECT_EQ(store->ReadValue(kSettings, "Beep"), SettingsValue(0u));
        EXPECT_EQ(diagnostics.str(), line);
        store.reset();
    }
}

TEST_F(SqliteSettingsStoreTest, AStoreThatCannotBeMadeReadsNothingAndRefusesWrites) {
    // Made impossible by the file system itself, as permissions do not stop root.
    WriteBytes(dir_ / "file", "not a folder");
    fs::create_directory(dir_ / "settings.db");
    for (const fs::path& file : {dir_ / "file" / "Deckfall" / "settings.db", dir_ / "settings.db"}) {
        std::ostringstream diagnostics;
        auto store = SqliteSettingsStore::Open(file, diagnostics);
        const std::string line = diagnostics.str();
        EXPECT_EQ(Lines(line), 1) << line;
        EXPECT_EQ(store->ReadValue(kSettings, "Beep"), std::nullopt);
        EXPECT_FALSE(store->WriteValue(kSettings, "Beep", 0u));
        // A refused batch tells why, as the start did.
        EXPECT_FALSE(store->WriteValues(std::vector<SettingsWrite>{{kSettings, "Beep", 0u}}));
        const std::string why = platform::GetLastError().message;
        EXPECT_NE(line.find(why.substr(why.find('('))), std::string::npos) << why;
    }
    EXPECT_TRUE(fs::is_directory(dir_ / "settings.db"));
}

// A batch saves the game at close: all of it or nothing, once another copy lets go of
// the store. How long it waits at most is the close's to show.
TEST_F(SqliteSettingsStoreTest, ABatchIsStoredWholeOrNotAtAllAndWaitsForAnotherCopy) {
    const fs::path file = dir_ / "settings.db";
    auto store = SqliteSettingsStore::Open(file);
    const auto values = [&] {
        return std::vector{store->ReadValue(kSettings, "Top"), store->ReadValue(kSettings, "Left"),
                           store->ReadValue(kScores, "Name0")};
    };
    const std::vector<std::optional<SettingsValue>> old{1u, 2u, std::nullopt};
    ASSERT_TRUE(
        store->WriteValues(std::vector<SettingsWrite>{{kSettings, "Top", 1u}, {kSettings, "Left", 2u}}));
    const std::vector<SettingsWrite> batch{
        {kSettings, "Top", 10u}, {kSettings, "Left", 20u}, {kScores, "Name0", "Ann"}};
    const std::vector<std::optional<SettingsValue>> saved{10u, 20u, "Ann"};

    // The last write fails: the two before it go too.
    std::vector<SettingsWrite> broken = batch;
    broken.push_back({"Software\\\\Nowhere", "Beep", 0u});
    EXPECT_FALSE(store->WriteValues(broken));
    EXPECT_NE(platform::GetLastError().message.find("Nowhere"), std::string::npos);
    EXPECT_EQ(values(), old);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> closer(other, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    // Another copy's lock, let go while the batch waits for it.
    std::thread release([other] {
        std::this_thread::sleep_for(100ms);
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    EXPECT_TRUE(store->WriteValues(batch)) << platform::GetLastError().message;
    release.join();
    EXPECT_EQ(values(), saved);
}

TEST_F(SqliteSettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    const fs::path file = dir_ / "settings.db";
    constexpr int kWrites = 250;
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        children.push_back(fork());
        ASSERT_GE(children.back(), 0);
        if (children.back() == 0) {
            // Released together, both copies also race to create the file.
            char start;
            close(go[1]);
            int failures = read(go[0], &start, 1) == 1 ? 0 : 1;
            auto store = SqliteSettingsStore::Open(file);
            const std::string own = "Software\\Stress\\P" + std::to_string(child);
            for (int i = 0; i < kWrites; ++i)
                failures += !store->WriteValue(own, "V" + std::to_string(i), std::uint32_t(i));
            _exit(failures == 0 ? 0 : 1);
        }
    }
    close(go[0]);
    ASSERT_EQ(write(go[1], "gg", 2), 2);
    close(go[1]);
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    EXPECT_EQ(Query(file, "PRAGMA integrity_check"), "ok");
    auto store = SqliteSettingsStore::Open(file);
    for (int child = 0; child < 2; ++child)
        for (int i = 0; i < kWrites; ++i)
            ASSERT_EQ(
                store->ReadValue("Software\\Stress\\P" + std::to_string(child), "V" + std::to_string(i)),
                SettingsValue(std::uint32_t(i)))
                << child << " " << i;
}

TEST(SqliteSettingsStorePath, FollowsXdgConfigHomeOnlyWhenAbsolute) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    setenv("HOME", "/home/ann", 1);
    for (const char* config : {"/srv/conf", "", "relative/conf"}) {
        setenv("XDG_CONFIG_HOME", config, 1);
        EXPECT_EQ(SqliteSettingsStore::DefaultPath(),
                  fs::path(*config == '/' ? config : "/home/ann/.config") / "Quillmoor/Deckfall/settings.db")
            << config;
    }
    xdg ? setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.c_str(), 1);
}

}  // namespace
