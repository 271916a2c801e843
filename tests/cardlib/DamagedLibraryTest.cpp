// Copies of the card library that are missing, cut short or not a library at all, through
// the real loader: the missing-file message naming the folder looked in, the reason on
// stderr, nothing loaded. A cut inside what the dynamic linker maps faulted in dlopen.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include "cardlib/CCardLibrary.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/linux/DlModuleLoader.h"
#include "tests/support/NullSettings.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

using DamagedLibraryTest = TempFolderTest;

TEST_F(DamagedLibraryTest, MissingCutShortOrForeignFilesGiveTheMissingFileMessage) {
    const fs::path& folder = dir_;
    std::ifstream in(fs::read_symlink("/proc/self/exe").parent_path() / "libcards32.so", std::ios::binary);
    const std::string library{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    NullSettings settings;
    platform::HeadlessPlatform headless{settings};
    platform::DlModuleLoader loader{folder};
    auto services = platform::Current();
    services.modules = &loader;
    const platform::ScopedServices scope(services);
    const std::string missing =
        "Deckfall could not find the file 'libcards32.so' which should be in its program folder (" +
        folder.string() + ").  Please locate the file, copy it to this folder, and try again.";

    const std::size_t size = library.size();
    for (const std::optional<std::string>& bytes :
         {std::optional<std::string>(), std::optional(library.substr(0, 100)),
          std::optional(library.substr(0, 1000)), std::optional(library.substr(0, size / 3)),
          std::optional(library.substr(0, size / 2)), std::optional(library.substr(0, size - 1)),
          std::optional<std::string>("Not a library.\n"), std::optional(library)}) {
        SCOPED_TRACE(bytes ? bytes->size() : 0);
        fs::remove(folder / "libcards32.so");
        if (bytes) std::ofstream(folder / "libcards32.so", std::ios::binary) << *bytes;
        const std::size_t boxes = headless.desktop.MessageBoxes().size();
        testing::internal::CaptureStderr();
        CCardLibrary cards;
        const bool loaded = cards.Load(nullptr) != 0;
        const std::string said = testing::internal::GetCapturedStderr();
        if (bytes == library) {
            EXPECT_TRUE(loaded);  // the whole library, from the same folder
            EXPECT_EQ(headless.desktop.MessageBoxes().size(), boxes);
            continue;
        }
        EXPECT_FALSE(loaded);
        ASSERT_EQ(headless.desktop.MessageBoxes().size(), boxes + 1);
        const platform::MessageBoxRecord& box = headless.desktop.MessageBoxes().back();
        EXPECT_EQ(std::tuple(box.text, box.caption, box.style), std::tuple(missing, "", platform::MB_OK));
        EXPECT_NE(said.find("libcards32.so"), std::string::npos) << said;
    }
}

}  // namespace
