// The real loader with copies of the card library that are missing, cut short or not a
// library at all: each gives the player the missing-file message naming the folder
// looked in, says why on stderr, and loads nothing. A file cut inside what the dynamic
// linker maps would otherwise crash in dlopen with SIGBUS.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cardlib/CCardLibrary.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/linux/DlModuleLoader.h"
#include "tests/cardlib/NullSettings.h"

namespace {

namespace fs = std::filesystem;

platform::LRESULT IgnoreMessages(platform::Window* window, platform::Msg message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) {
    return window->DefWindowProc(message, wParam, lParam);
}

std::vector<char> ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DamagedLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder);
        auto services = platform::Current();
        services.modules = &loader;
        scope.emplace(services);
    }
    void TearDown() override { fs::remove_all(folder); }

    void Place(const std::vector<char>& bytes) {
        std::ofstream(folder / "libcards32.so", std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // Loads from the folder: the message the player got (empty: none) and what stderr said.
    std::pair<std::string, std::string> Load() {
        const std::size_t boxes = headless.desktop.MessageBoxes().size();
        testing::internal::CaptureStderr();
        CCardLibrary library;
        const int loaded = library.Load(&owner);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(loaded != 0, library.IsLoaded());
        if (headless.desktop.MessageBoxes().size() == boxes) return {"", said};
        return {headless.desktop.MessageBoxes().back().text, said};
    }

    std::string MissingText() const {
        return "Deckfall could not find the file 'libcards32.so' which should be in its program folder (" +
               folder.string() + ").  Please locate the file, copy it to this folder, and try again.";
    }

    const fs::path folder = fs::path(testing::TempDir()) / ("deckfall-cards-" + std::to_string(getpid()));
    const std::vector<char> library =
        ReadFile(fs::read_symlink("/proc/self/exe").parent_path() / "libcards32.so");
    NullSettings settings;
    platform::HeadlessPlatform headless{settings};
    platform::HeadlessWindow owner{headless.desktop, IgnoreMessages, "Deckfall",
                                   platform::Rect{0, 0, 640, 480}};
    platform::DlModuleLoader loader{folder};
    std::optional<platform::ScopedServices> scope;
};

TEST_F(DamagedLibraryTest, MissingCutShortOrForeignFilesGiveTheMissingFileMessage) {
    ASSERT_GT(library.size(), 4096u);
    const auto cut = [&](std::size_t length) {
        return std::vector<char>(library.begin(), library.begin() + length);
    };
    const std::string text = "This is not a library.\n";
    const struct {
        const char* what;
        std::optional<std::vector<char>> bytes;
    } cases[] = {
        {"missing", std::nullopt},
        {"100 bytes", cut(100)},
        {"1000 bytes", cut(1000)},
        {"a third", cut(library.size() / 3)},
        {"half", cut(library.size() / 2)},
        {"all but the last byte", cut(library.size() - 1)},
        {"text", std::vector<char>(text.begin(), text.end())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder / "libcards32.so");
        if (c.bytes) Place(*c.bytes);
        const auto [message, said] = Load();
        EXPECT_EQ(message, MissingText());
        EXPECT_NE(said.find("libcards32.so"), std::string::npos) << said;
    }

    // The same folder with the whole library: it loads, silently.
    Place(library);
    const auto [message, said] = Load();
    EXPECT_EQ(message, "");
    EXPECT_EQ(said, "");
}

}  // namespace
