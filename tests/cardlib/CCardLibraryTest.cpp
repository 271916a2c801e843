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
    *width = 73;
    *height = 97;
    return 7;
}

// Uses both ways into the drawing context, so the test can see where they lead.
int FakeDraw(CardSurface* surface, int x, int y, int card, int mode, std::uint32_t colour) {
    drawn = {x, y, card, mode, colour, surface->devicePixelRatio};
    static const std::uint32_t pixels[4] = {0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u};
    if (!surface->fill(surface->context, x, y, 3, 2, colour)) return -1;
    if (!surface->drawPixels(surface->context, x + 5, y, 2, 2, pixels, 2, 2, 2)) return -1;
    return 5;
}

platform::LRESULT IgnoreMessages(platform::Window* window, platform::Msg message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) {
    return window->DefWindowProc(message, wParam, lParam);
}

class CCardLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { inits = fakeCardTerms = 0; }

    NullSettings settings;
    platform::HeadlessPlatform headless{settings};
    platform::HeadlessWindow owner{headless.desktop, IgnoreMessages, "Deckfall",
                                   platform::Rect{0, 0, 640, 480}};
};

// Without the library the game cannot draw: the player is told which file is missing.
TEST_F(CCardLibraryTest, MissingLibraryIsReportedAndFails) {
    CCardLibrary library;
    EXPECT_EQ(library.Load(&owner), 0);
    EXPECT_FALSE(library.IsLoaded());
    ASSERT_EQ(headless.desktop.MessageBoxes().size(), 1u);
    const auto& box = headless.desktop.MessageBoxes()[0];
    EXPECT_EQ(box.owner, &owner);
    EXPECT_EQ(box.text,
              "Deckfall could not find the file 'libcards32.so' which should be in its program folder "
              "(/opt/deckfall).  Please locate the file, copy it to this folder, and try again.");
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.style, platform::MB_OK);
}

// A library short of any export must never be called, yet stays loaded until Unload.
TEST_F(CCardLibraryTest, AnyMissingExportIsReportedAndLeavesTheModuleLoadedUntilUnload) {
    for (const char* missing : {"cdtInit", "cdtDraw", "cdtDrawExt", "cdtAnimate", "cdtTerm"}) {
        SCOPED_TRACE(missing);
        auto exports = FakeCardExports(FakeInit, FakeDraw);
        exports.erase(missing);
        headless.modules.Register("libcards32.so", exports);
        const int loads = headless.modules.LoadCount();
        const std::size_t boxes = headless.desktop.MessageBoxes().size();

        CCardLibrary library;
        EXPECT_EQ(library.Load(&owner), 0);
        ASSERT_EQ(headless.desktop.MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(headless.desktop.MessageBoxes().back().text,
                  "Deckfall could not find all exports from the file 'libcards32.so'.  Be sure you "
                  "have the proper version of this file and try again.");
        EXPECT_EQ(headless.desktop.MessageBoxes().back().caption, "");
        EXPECT_EQ(inits, 0);
        EXPECT_TRUE(library.IsLoaded());

        // Still loaded: a second Load fails at once, without loading or a message.
        EXPECT_EQ(library.Load(&owner), 0);
        EXPECT_EQ(headless.modules.LoadCount(), loads + 1);
        EXPECT_EQ(headless.desktop.MessageBoxes().size(), boxes + 1);

        library.Unload();
        EXPECT_FALSE(library.IsLoaded());
        EXPECT_EQ(library.Draw(*owner.GetDC(), 0, 0, 0, 0, 0), 0);
    }
}

// Every draw must reach the library unchanged and land in the caller's context.
TEST_F(CCardLibraryTest, CompleteLibraryInitialisesDrawsThroughTheContextAndTerminates) {
    // Load answers cdtInit's result; a draw reaches the library with its arguments and the
    // context's pixel ratio, and the library's fills and pixels land in that context.
    headless.modules.Register("libcards32.so", FakeCardExports(FakeInit, FakeDraw));
    {
        CCardLibrary library;
        ASSERT_EQ(library.Load(&owner), 7);
        EXPECT_EQ(library.GetCardWidth(), 73);
        EXPECT_EQ(library.GetCardHeight(), 97);
        EXPECT_EQ(library.Load(&owner), 0);  // already loaded
        EXPECT_TRUE(headless.desktop.MessageBoxes().empty());

        platform::Image image(40, 30, 0xFF000000u);
        std::vector<platform::DrawCall> log;
        platform::RasterContext dc(image, &log);
        const platform::ColorRef colour = platform::Rgb(0x12, 0x34, 0x56);
        EXPECT_EQ(library.Draw(dc, 10, 20, 37, 4, colour), 5);
        EXPECT_EQ(drawn, std::tuple(10, 20, 37, 4, colour, dc.DevicePixelRatio()));
        ASSERT_EQ(log.size(), 2u);
        EXPECT_EQ(log[0].kind, platform::DrawCall::Kind::FillRect);
        EXPECT_EQ(log[0].rect, (platform::Rect{10, 20, 13, 22}));
        EXPECT_EQ(log[0].colour, colour);
        EXPECT_EQ(log[1].kind, platform::DrawCall::Kind::DrawPixels);
        EXPECT_EQ(log[1].rect, (platform::Rect{15, 20, 17, 22}));
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
