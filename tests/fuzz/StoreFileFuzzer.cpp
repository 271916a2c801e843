// The fuzz input as the bytes of the settings file. The program starts on it as main
// starts it (the store opened, the options and the window's placement loaded, the
// high-score list shown) and is closed, which saves. What must hold besides running
// clean: at most one line about the file; a damaged file is moved aside whole and one
// the store cannot use is left byte for byte, and either way the game starts as on a
// first run; whatever store began takes the save at close, and the next start opens the
// file it left without a word.

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "app/Settings.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "tests/fuzz/HeadlessProgram.h"
#include "tests/fuzz/Require.h"
#include "tests/support/StoreFiles.h"

namespace {

namespace fs = std::filesystem;
using platform::SqliteSettingsStore;

// The folder the settings file lies in, empty before every input and gone at exit.
const fs::path& Folder() {
    struct Made {
        Made() {
            const char* tmp = std::getenv("TMPDIR");
            std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/deckfall-fuzz-XXXXXX";
            Require(mkdtemp(pattern.data()) != nullptr, "a folder for the settings file");
            path = pattern;
        }
        ~Made() { fs::remove_all(path); }
        fs::path path;
    };
    static const Made folder;
    return folder.path;
}

void Empty(const fs::path& folder) {
    for (const fs::path& file : FilesIn(folder)) fs::remove_all(file);
}

std::optional<fs::path> MovedAside(const fs::path& folder) {
    for (const fs::path& file : FilesIn(folder))
        if (file.filename().string().starts_with("settings.db.damaged-") &&
            !file.string().ends_with("-shm") && !file.string().ends_with("-wal"))
            return file;
    return std::nullopt;
}

// What the game shows on a store that holds nothing.
const HeadlessProgram::Start& FirstRun() {
    static const HeadlessProgram::Start start = [] {
        const auto store = SqliteSettingsStore::InMemory();
        return HeadlessProgram(*store).StartUp();
    }();
    return start;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const HeadlessProgram::Start& firstRun = FirstRun();
    const fs::path& folder = Folder();
    const fs::path file = folder / "settings.db";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(file, bytes);

    std::ostringstream said;
    auto store = SqliteSettingsStore::Open(file, said);
    HeadlessProgram::Start start;
    {
        HeadlessProgram program(*store);
        start = program.StartUp();
        program.Close();
    }
    Require(Lines(said.str()) <= 1, "one line about the settings file at most: " + said.str());
    const std::optional<fs::path> aside = MovedAside(folder);
    const bool refused = !said.str().empty() && !aside;
    if (aside) Require(ReadBytes(*aside) == bytes, "a damaged file is moved aside whole");
    if (refused)
        Require(ReadBytes(file) == bytes, "a file the store cannot use is left as it was: " + said.str());
    if (aside || refused)
        Require(start == firstRun, "a file that cannot be read starts the game as a first run");
    if (!refused) {
        Require(store->ReadValue(SettingsKey, "FirstBoot") == platform::SettingsValue(0u), "the close saves");
        store.reset();
        std::ostringstream again;
        SqliteSettingsStore::Open(file, again);
        Require(again.str().empty(), "the next start takes the file it left: " + again.str());
    }
    store.reset();
    Empty(folder);
    return 0;
}
