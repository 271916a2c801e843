// The card library wrapper over in-process exports: a library short of an export is
// never called, and a complete one draws through the caller's context.

#include "cardlib/CCardLibrary.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessWindow.h"
#include "tests/support/FakeCards.h"
#include "tests/support/NullSettings.h"

namespace {

int inits = 0;
// x, y, card, mode, colour and device pixel ratio of the last draw.
std::tuple<int, int, int, int, std::uint32_t, double> drawn;

int FakeInit(int* width, int* height) {
    ++inits;
    return *width = 73, *height = 97, 7;
}

// Uses both ways into the drawing context, so the test can see where they lead.
int FakeDraw(CardSurface* surface, int x, int y, int card, int mode, std::uint32_t colour) {
    drawn = {x, y, card, mode, colour, surface->devicePixelRatio};
    static const std::uint32_t pixels[4] = {0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u};
    if (!surface->fill(surface->context, x, y, 3, 2, colour)) return -1;
    if (!surface->drawPixels(surface->context, x + 5, y, 2, 2, pixels, 2, 2, 2)) return -1;
    return 5;
}

class CCardLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { inits = fakeCardTerms = 0; }

    NullSettings settings;
    platform::HeadlessPlatform headless{settings};
    platform::HeadlessWindow owner{headless.desktop, nullptr, "Deckfall", platform::Rect{0, 0, 640, 480}};
    platform::Image image{40, 30, 0xFF000000u};
    std::vector<platform::DrawCall> log;
    platform::RasterContext dc{image, &log};
};

// A library short of any export must never be called, yet stays loaded until Unload.
TEST_F(CCardLibraryTest, AnyMissingExportIsReportedAndLeavesTheModuleLoadedUntilUnload) {
    for (const char* missing : {"cdtInit", "cdtDraw", "cdtDrawExt", "cdtAnimate", "cdtTerm"}) {
        SCOPED_TRACE(missing);
        auto exports = FakeCardExports(FakeInit, FakeDraw);
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

// Load answers cdtInit's result; a draw reaches the library with its arguments and the
// context's pixel ratio, and the library's fills and pixels land in that context.
TEST_F(CCardLibraryTest, CompleteLibraryInitialisesDrawsThroughTheContextAndTerminates) {
    headless.modules.Register("libcards32.so", FakeCardExports(FakeInit, FakeDraw));
    {
        CCardLibrary library;
        ASSERT_EQ(library.Load(&owner), 7);
        EXPECT_EQ(std::pair(library.GetCardWidth(), library.GetCardHeight()), std::pair(73, 97));
        EXPECT_EQ(library.Load(&owner), 0);  // already loaded
        EXPECT_TRUE(headless.desktop.MessageBoxes().empty());

        const platform::ColorRef colour = platform::Rgb(0x12, 0x34, 0x56);
        EXPECT_EQ(library.Draw(dc, 10, 20, 37, 4, colour), 5);
        EXPECT_EQ(drawn, std::tuple(10, 20, 37, 4, colour, dc.DevicePixelRatio()));
        ASSERT_EQ(log.size(), 2u);
        EXPECT_EQ(std::tuple(log[0].kind, log[0].rect, log[0].colour),
                  std::tuple(platform::DrawCall::Kind::FillRect, platform::Rect{10, 20, 13, 22}, colour));
        EXPECT_EQ(std::pair(log[1].kind, log[1].rect),
                  std::pair(platform::DrawCall::Kind::DrawPixels, platform::Rect{15, 20, 17, 22}));
        EXPECT_EQ(image.Pixel(15, 21), 0xFF00FF00u);

        library.Unload();
        EXPECT_EQ(fakeCardTerms, 1);
        EXPECT_EQ(library.Draw(dc, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(library.Load(&owner), 7);  // loads again after Unload
    }
    // The destructor unloads a library that is still loaded.
    EXPECT_EQ(fakeCardTerms, 2);
    EXPECT_EQ(headless.modules.LoadCount(), 2);
}

}  // namespace
