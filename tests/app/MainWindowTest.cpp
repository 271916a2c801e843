// The main window on the headless desktop: the generator's seed, the placement it opens
// at, a start without the card library, what closing and the end of the session save,
// the minimum size while dragging, the background, and the collapse each rule set needs.

#include <algorithm>
#include <array>

#include "tests/support/GameFixture.h"
#include "tests/support/StoredSettings.h"

namespace enginetest {
namespace {

using platform::Rect;
using platform::ShowCommand;

class MainWindowTest : public testing::Test, protected Program {};

// Games replay from their seed only while the sequence is the classic one, and every run
// deals other cards: the generator goes on from the virtual clock's time in seconds.
TEST_F(MainWindowTest, TheGeneratorIsTheClassicOneSeededByTheClockAtStart) {
    SeedRandom(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(NextRandom(), expected);
    StartUp();
    const std::vector<int> next{NextRandom(), NextRandom(), NextRandom()};
    SeedRandom(1'000'000'000);
    std::vector<int> sequence(5000);
    std::generate(sequence.begin(), sequence.end(), NextRandom);
    EXPECT_NE(std::search(sequence.begin(), sequence.end(), next.begin(), next.end()), sequence.end());
}

// The window comes back as it was closed, maximised at first, never off the screen or cramped.
TEST(MainWindowPlacementTest, StoredPlacementIsKeptOnTheScreenAndMaximisedWhenItWas) {
    // The headless screen is 1024 × 768 with 32-pixel icons.
    const struct {
        std::optional<std::uint32_t> firstBoot;
        std::array<int, 5> stored;  // MinMax, Left, Top, Width, Height
        ShowCommand show;
        Rect normal;
    } cases[] = {
        {std::nullopt, {0, 10, 20, 640, 500}, ShowCommand::Maximized, {10, 20, 650, 520}},
        {5, {0, 10, 20, 640, 500}, ShowCommand::Maximized, {10, 20, 650, 520}},
        {0, {2, 10, 20, 640, 500}, ShowCommand::Maximized, {10, 20, 650, 520}},
        {0, {1, 10, 20, 640, 500}, ShowCommand::Normal, {10, 20, 650, 520}},
        {0, {0, -5, -5, 640, 500}, ShowCommand::Normal, {0, 0, 640, 500}},
        {0, {0, 992, 736, 640, 500}, ShowCommand::Normal, {992, 736, 1632, 1236}},
        {0, {0, 993, 737, 640, 500}, ShowCommand::Normal, {0, 0, 640, 500}},
        {0, {0, 10, 20, 600, 454}, ShowCommand::Normal, {10, 20, 648, 518}},
        {0, {0, 10, 20, 629, 455}, ShowCommand::Normal, {10, 20, 639, 475}},
        {0, {0, 10, 20, 1024, 768}, ShowCommand::Normal, {10, 20, 1034, 788}},
        {0, {0, 10, 20, 1025, 769}, ShowCommand::Normal, {10, 20, 650, 520}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::pair(c.firstBoot, c.stored)));
        Program run;
        if (c.firstBoot) run.Put("FirstBoot", *c.firstBoot);
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            run.Put(std::array{"MinMax", "Left", "Top", "Width", "Height"}[i], c.stored[i]);
        platform::HeadlessWindow& window = run.StartUp();
        EXPECT_EQ(window.ShowState(), c.show);
        EXPECT_EQ(window.GetWindowPlacement().normalRect, c.normal);
    }
}

// Without the card library WinMain ends after its box, before any message loop (which
// would deliver the close posted while the box is up), and saves nothing.
TEST_F(MainWindowTest, WithoutTheCardLibraryWinMainEndsBeforeItsLoop) {
    headless.desktop.messageBoxHandler = [&](const platform::MessageBoxRecord&) {
        headless.desktop.MainWindow()->PostMessage(Msg::Close, 0, 0);
        return platform::IDOK;
    };
    EXPECT_EQ(WinMain(ShowCommand::Normal), 0);
    ASSERT_EQ(headless.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(headless.desktop.MessageBoxes()[0].owner, headless.desktop.MainWindow());
    EXPECT_FALSE(headless.desktop.MainWindow()->IsDestroyed());
    EXPECT_FALSE(store->ReadValue(SettingsKey, "FirstBoot"));
}

// Closing saves every option and the normal rectangle of a maximised window (what a start
// makes of them the placement test and the games on stored values show).
TEST_F(MainWindowTest, CloseSavesOptionsAndTheNormalRectangleOfAMaximisedWindow) {
    Put("SwapMode", 3);
    Put("UpDown", 0xFFFFFFFF);
    Put("CollapseRegime", 3);
    Put("BackgroundColor", 0x123456);
    Put("Left", 10);
    Put("Top", 20);
    StartUp();
    GameOptions.Beep = 0;  // as the options dialog would leave it
    window->SendMessage(Msg::Close, 0, 0);
    EXPECT_TRUE(window->IsDestroyed());
    EXPECT_TRUE(headless.desktop.QuitPosted());
    EXPECT_EQ(fakeCardTerms, 1);
    const std::uint32_t saved[] = {0, 0, 1,        0,        1,  3,  2,   0,   1, 0xFFFFFFFF,
                                   3, 1, 0xFF80FF, 0x123456, 20, 10, 640, 500, 2};
    EXPECT_EQ(Stored(*store), StoredList(std::begin(saved), std::end(saved)));
}

// Logging out saves as a close does, even minimised, and leaves the window to the system.
TEST_F(MainWindowTest, EndOfSessionSavesAMinimisedWindowsNormalRectangleAndKeepsTheWindow) {
    Put("FirstBoot", 0);
    StartUp();
    window->MoveWindow({30, 40, 760, 600}, true);
    window->ShowWindow(ShowCommand::Minimized);
    app.paused = 0;
    window->SetTimer(1, 800);
    window->SendMessage(Msg::EndSession, 1, 0);
    EXPECT_FALSE(window->IsDestroyed());
    EXPECT_TRUE(window->Timers().empty());  // the fall timer stops all the same
    const StoredList saved = Stored(*store);
    EXPECT_EQ(StoredList(saved.end() - 5, saved.end()), (StoredList{40u, 30u, 730u, 560u, 0u}));
}

// The board needs its minimum size; only the dragged edges may move to keep it.
TEST_F(MainWindowTest, DraggedEdgesStopAtTheMinimumSizeAndTheOtherEdgesStay) {
    StartUp();
    const auto sizing = [&](platform::WPARAM edge, Rect rect) {
        EXPECT_EQ(window->SendMessage(Msg::Sizing, edge, reinterpret_cast<platform::LPARAM>(&rect)), 0);
        return rect;
    };
    const Rect small{1000, 1000, 1100, 1100};
    const std::pair<platform::WPARAM, Rect> cases[] = {{platform::WMSZ_LEFT, {471, 1000, 1100, 1100}},
                                                       {platform::WMSZ_RIGHT, {1000, 1000, 1629, 1100}},
                                                       {platform::WMSZ_TOP, {1000, 645, 1100, 1100}},
                                                       {platform::WMSZ_BOTTOM, {1000, 1000, 1100, 1455}},
                                                       {platform::WMSZ_TOPLEFT, {471, 645, 1100, 1100}},
                                                       {platform::WMSZ_TOPRIGHT, {1000, 645, 1629, 1100}},
                                                       {platform::WMSZ_BOTTOMLEFT, {471, 1000, 1100, 1455}},
                                                       {platform::WMSZ_BOTTOMRIGHT, {1000, 1000, 1629, 1455}},
                                                       {0, small}};
    for (const auto& [edge, expected] : cases) {
        EXPECT_EQ(sizing(edge, small), expected) << "edge " << edge;
        // Exactly the minimum, or more, is left alone.
        for (Rect big : {Rect{5, 5, 634, 460}, Rect{5, 5, 900, 700}})
            EXPECT_EQ(sizing(edge, big), big) << "edge " << edge;
    }
    EXPECT_EQ(window->SendMessage(Msg::Sizing, platform::WMSZ_LEFT, 0), 0);
}

// The player's background colour, a COLORREF, fills the whole client area on every erase.
TEST_F(MainWindowTest, BackgroundIsErasedInTheBackgroundColour) {
    StartUp();
    GameOptions.BackgroundColor = 0x00336699;  // 0x00BBGGRR
    const auto dc = window->GetDC();
    dc->FillRect(window->GetClientRect(), 0);
    EXPECT_EQ(window->SendMessage(Msg::EraseBackground, reinterpret_cast<platform::WPARAM>(dc.get()), 0), 1);
    const platform::Image& pixels = window->Pixels();
    ASSERT_EQ(pixels.Width(), window->GetClientRect().Width());
    EXPECT_TRUE(std::all_of(pixels.Data(), pixels.Data() + pixels.Width() * pixels.Height(),
                            [](std::uint32_t argb) { return argb == 0xFF996633u; }));
}

// Melds and poker pay from three cards up, twenty-one from two; other rule sets collapse nothing.
TEST_F(MainWindowTest, TheRuleSetDecidesTheShortestCollapse) {
    for (auto [regime, minCollapse] : {std::pair{3, 2}, {1, 3}, {2, 3}, {7, 0}, {0, 0}}) {
        GameOptions = {};
        Put("CollapseRegime", regime);
        LoadSettings(app);
        EXPECT_EQ(GameOptions.MinCollapse, minCollapse) << "regime " << regime;
    }
}

}  // namespace
}  // namespace enginetest
