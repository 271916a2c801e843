// What the settings file holds after the worst: copies of the game killed in the middle
// of their saves, a store of a later version, a full disk and a folder the player cannot
// write.

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <csignal>
#include <random>
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

constexpr const char* kScores = "Software\\Quillmoor\\Deckfall\\HighScores";
constexpr int kValues = 20;  // as many as the high-score list saves at once

std::string Name(int i) {
    return "Value" + std::to_string(i);
}

// Every value of the batch set to `value`; the names outlive the batch.
std::vector<SettingsWrite> Batch(const std::vector<std::string>& names, std::uint32_t value) {
    std::vector<SettingsWrite> batch;
    for (const std::string& name : names) batch.push_back({kScores, name, value});
    return batch;
}

std::vector<std::optional<SettingsValue>> ReadAll(SqliteSettingsStore& store) {
    std::vector<std::optional<SettingsValue>> values;
    for (int i = 0; i < kValues; ++i) values.push_back(store.ReadValue(kScores, Name(i)));
    return values;
}

class StoreSurvivalTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        file_ = dir_ / "settings.db";
        for (int i = 0; i < kValues; ++i) names_.push_back(Name(i));
    }

    fs::path file_;
    std::vector<std::string> names_;
};

// Two copies save batch after batch, each its own numbers, and are killed at random
// moments; every time, the file is sound and holds one whole batch.
TEST_F(StoreSurvivalTest, CopiesKilledWhileSavingLeaveOneWholeBatch) {
    ASSERT_TRUE(SqliteSettingsStore::Open(file_)->WriteValues(Batch(names_, 0)));
    std::mt19937 random(20240612);
    std::set<std::uint32_t> seen;
    for (int round = 1; round <= 100; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        std::vector<pid_t> copies;
        for (std::uint32_t copy = 0; copy < 2; ++copy) {
            copies.push_back(fork());
            ASSERT_GE(copies.back(), 0);
            if (copies.back() == 0) {
                close(ready[0]);
                auto store = SqliteSettingsStore::Open(file_);
                if (write(ready[1], "r", 1) != 1) _exit(1);
                for (std::uint32_t n = 1;; ++n)
                    store->WriteValues(Batch(names_, 1000 * round + 2 * n + copy));
            }
        }
        close(ready[1]);
        // Each copy says once that it has opened the store.
        char byte;
        for (std::size_t said = 0; said < copies.size() && read(ready[0], &byte, 1) == 1;) ++said;
        close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
        for (const pid_t pid : copies) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }

        ASSERT_EQ(Query(file_, "PRAGMA integrity_check"), "ok") << "round " << round;
        std::ostringstream diagnostics;
        const std::vector<std::optional<SettingsValue>> values =
            ReadAll(*SqliteSettingsStore::Open(file_, diagnostics));
        ASSERT_EQ(diagnostics.str(), "");
        ASSERT_TRUE(values[0].has_value());
        ASSERT_EQ(values, decltype(values)(kValues, values[0])) << "round " << round;
        seen.insert(std::get<std::uint32_t>(*values[0]));
    }
    EXPECT_GT(seen.size(), 50u) << "the copies were mostly killed before they saved";
}

// A later version may store differently: its file is kept as it is for that version, and
// this one plays on its defaults.
TEST_F(StoreSurvivalTest, AStoreOfALaterVersionIsLeftAsItIs) {
    ASSERT_TRUE(SqliteSettingsStore::Open(file_)->WriteValues(Batch(names_, 7)));
    Query(file_, "PRAGMA user_version = 2");
    const std::set<fs::path> files = FilesIn(dir_);
    const std::string bytes = ReadBytes(file_);

    std::ostringstream diagnostics;
    auto store = SqliteSettingsStore::Open(file_, diagnostics);
    const std::string line = diagnostics.str();
    EXPECT_NE(line.find("later version"), std::string::npos) << line;
    EXPECT_EQ(Lines(line), 1) << line;
    EXPECT_EQ(store->ReadValue(kScores, Name(0)), std::nullopt);
    EXPECT_FALSE(store->WriteValues(Batch(names_, 8)));
    store.reset();
    std::set<fs::path> after = FilesIn(dir_);  // SQLite's own companions may be left beside it
    std::erase_if(after, [](const fs::path& path) {
        return path.string().ends_with("-wal") || path.string().ends_with("-shm");
    });
    EXPECT_EQ(after, files);
    EXPECT_TRUE(ReadBytes(file_) == bytes) << "the file was changed";
}

// The file system is made full for real: a small one of our own, which only root can mount.
TEST_F(StoreSurvivalTest, AFullDiskRefusesTheSaveAndKeepsWhatWasStored) {
    const fs::path disk = dir_ / "disk";
    fs::create_directory(disk);
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small disk";
    struct Unmount {
        fs::path path;
        ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
    } unmount{disk};
    const fs::path file = disk / "settings.db";
    const auto sevens = std::vector<std::optional<SettingsValue>>(kValues, SettingsValue(7u));
    int fillers = 0;
    const auto fill = [&] {
        std::ofstream filler(disk / ("filler" + std::to_string(++fillers)), std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    };
    auto store = SqliteSettingsStore::Open(file);
    ASSERT_TRUE(store->WriteValues(Batch(names_, 7)));
    fill();

    std::vector<SettingsWrite> big = Batch(names_, 8);
    for (SettingsWrite& write : big) write.value = std::string(8000, 'y');
    EXPECT_FALSE(store->WriteValues(big));
    EXPECT_EQ(platform::GetLastError().message, "database or disk is full");
    EXPECT_EQ(ReadAll(*store), sevens);
    store.reset();  // its log goes, and with it the room it took

    // A start on the full disk reads the store, or, when SQLite has no room for its log
    // index, says so in one line and plays on the defaults; once there is room, all is there.
    fill();
    std::ostringstream diagnostics;
    store = SqliteSettingsStore::Open(file, diagnostics);
    const std::string line = diagnostics.str();
    EXPECT_EQ(ReadAll(*store), line.empty() ? sevens : decltype(sevens)(kValues)) << line;
    EXPECT_LE(Lines(line), 1) << line;
    store.reset();
    for (int i = 1; i <= fillers; ++i) fs::remove(disk / ("filler" + std::to_string(i)));
    EXPECT_EQ(Query(file, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(ReadAll(*SqliteSettingsStore::Open(file)), sevens);
}

// A folder the player cannot write, with or without a store in it: one line, defaults,
// and the store stays as it is. Root may write anything, so a child that is not root plays.
TEST_F(StoreSurvivalTest, AFolderThePlayerCannotWriteGivesOneLineAndTheDefaults) {
    const passwd* nobody = ::getpwnam("nobody");
    const bool root = ::geteuid() == 0;
    if (!root || !nobody) GTEST_SKIP() << "needs root and a user to play the player";
    const fs::path stored = dir_ / "stored";
    fs::create_directory(stored);
    ASSERT_TRUE(SqliteSettingsStore::Open(stored / "settings.db")->WriteValues(Batch(names_, 7)));
    ASSERT_EQ(chown((stored / "settings.db").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    fs::create_directory(dir_ / "empty");
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(stored, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const std::string bytes = ReadBytes(stored / "settings.db");

    for (const fs::path& folder : {stored, dir_ / "empty"}) {
        SCOPED_TRACE(folder);
        const fs::path said = dir_ / "said";
        std::ofstream(said).close();
        fs::permissions(said, fs::perms::all);
        EXPECT_EQ(InChild([&] {
                      if (!BecomePlayer(*nobody)) return 3;
                      std::ofstream out(said);
                      auto store = SqliteSettingsStore::Open(folder / "settings.db", out);
                      return store->ReadValue(kScores, Name(0)) || store->WriteValues(Batch(names_, 8)) ? 1
                                                                                                        : 0;
                  }),
                  0);
        const std::string line = ReadBytes(said);
        EXPECT_EQ(Lines(line), 1) << line;
        EXPECT_EQ(line.find("damaged"), std::string::npos) << line;
    }
    EXPECT_TRUE(ReadBytes(stored / "settings.db") == bytes) << "the file was changed";
    EXPECT_EQ(std::distance(fs::directory_iterator(stored), fs::directory_iterator()), 1);
}

}  // namespace
