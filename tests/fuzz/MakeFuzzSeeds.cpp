// Writes the fuzz targets' seeds into <folder>/store-file and <folder>/high-score-texts:
// settings files as the program leaves them, and high-score lists in the texts target's
// lines. Made at build time, so the seeds follow the store as it changes.

#include <sqlite3.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "app/GameOptions.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "tests/fuzz/HeadlessProgram.h"
#include "tests/support/StoreFiles.h"

namespace {

namespace fs = std::filesystem;
using platform::SqliteSettingsStore;

// Longer than the name field takes, in three scripts and with a character outside the
// basic plane, which takes two of the field's characters.
std::string LongName() {
    std::string name;
    for (int i = 0; i < 60; ++i) name += "Zoë 雪𝄞 ";
    return name;
}

// Played: options changed and a full high-score list with a long name.
void WritePlayedStore(const fs::path& file) {
    const auto store = SqliteSettingsStore::Open(file);
    HeadlessProgram program(*store);
    program.StartUp();
    GameOptions.SwapMode = 3;
    GameOptions.UpDown = -1;
    GameOptions.ShowNagDlg = 0;
    program.HighScores(5000, platform::IDOK, LongName());
    program.Close();
}

void Execute(const fs::path& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: deckfall-fuzz-seeds FOLDER" << std::endl;
        return 2;
    }
    const fs::path stores = fs::path(argv[1]) / "store-file";
    const fs::path lists = fs::path(argv[1]) / "high-score-texts";
    fs::remove_all(argv[1]);
    fs::create_directories(stores);
    fs::create_directories(lists);

    SqliteSettingsStore::Open(stores / "new.db");
    WritePlayedStore(stores / "played.db");
    fs::copy_file(stores / "played.db", stores / "later-version.db");
    Execute(stores / "later-version.db", "PRAGMA user_version = 2");

    // At a game's end, ten entries, the fifth with a name longer than the field takes.
    std::string full = "6000\n";
    for (int i = 0; i < 10; ++i) {
        const std::string name = i == 4 ? LongName() : "Ann " + std::to_string(i);
        full += name + "\n$" + std::to_string(9000 - 1000 * i) + "\n";
    }
    WriteBytes(lists / "full", full);
    // From the menu, two entries, the second's score a number rather than a text.
    WriteBytes(lists / "short", "menu\nAnn\n$700\nBob\n#3\n");
    return 0;
}
