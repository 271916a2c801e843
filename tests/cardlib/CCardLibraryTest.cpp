// The card library wrapper over in-process exports: a library short of an export is never
// called. The real library's tests draw through a complete one, the game's through the fake.

#include "cardlib/CCardLibrary.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessWindow.h"
#include "tests/support/FakeCards.h"
#include "tests/support/NullSettings.h"

namespace {

int inits = 0;

int CountedInit(int* width, int* height) {
    ++inits;
    return FakeCardInit(width, height);
}

// A library short of any export must never be called, yet stays loaded until Unload.
TEST(CCardLibraryTest, AnyMissingExportIsReportedAndLeavesTheModuleLoadedUntilUnload) {
    NullSettings settings;
    platform::HeadlessPlatform headless{settings};
    platform::HeadlessWindow owner{headless.desktop, nullptr, "Deckfall", platform::Rect{0, 0, 640, 480}};
    platform::Image image{40, 30};
    platform::RasterContext dc{image};
    for (const char* missing : {"cdtInit", "cdtDraw", "cdtDrawExt", "cdtAnimate", "cdtTerm"}) {
        SCOPED_TRACE(missing);
        auto exports = FakeCardExports(CountedInit);
        exports.erase(missing);
        headless.modules.Register("libcards32.so", exports);
        const std::size_t boxes = headless.desktop.MessageBoxes().size();
        CCardLibrary library;
        EXPECT_EQ(library.Load(&owner), 0);
        ASSERT_EQ(headless.desktop.MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(headless.desktop.MessageBoxes().back().text,
                  "Deckfall could not find all exports from the file 'libcards32.so'.  Be sure you "
                  "have the proper version of this file and try again.");
        EXPECT_EQ(headless.desktop.MessageBoxes().back().owner, &owner);
        EXPECT_EQ(inits, 0);
        EXPECT_TRUE(library.IsLoaded());
        // Still loaded: a second Load fails at once, without a message.
        EXPECT_EQ(library.Load(&owner), 0);
        EXPECT_EQ(headless.desktop.MessageBoxes().size(), boxes + 1);
        library.Unload();
        EXPECT_FALSE(library.IsLoaded());
        EXPECT_EQ(library.Draw(dc, 0, 0, 0, 0, 0), 0);
    }
}

}  // namespace
