// The main window on the headless desktop: start-up and placement, close and exit,
// the minimum size while dragging, the background, and loading the settings.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "tests/support/FakeCards.h"

namespace {

using platform::Msg;
using platform::Rect;
using platform::SettingsValue;
using platform::ShowCommand;

std::function<void()> onCardInit;

int FakeInit(int* width, int* height) {
    *width = 73;
    *height = 97;
    if (onCardInit) onCardInit();
    return 1;
}

// Every value the settings key holds, in the order they are saved.
const char* const kStoredNames[] = {
    "FirstBoot",      "Beep",       "Music",           "ClearStacks",     "GetFaster",
    "SwapMode",       "OneDeck",    "EndOnShuffle",    "LastStack",       "UpDown",
    "CollapseRegime", "ShowNagDlg", "ForegroundColor", "BackgroundColor", "Top",
    "Left",           "Width",      "Height",          "MinMax"};

// One run of the program: an empty settings store, the headless desktop and the main window.
struct Session {
    Session() {
        fakeCardTerms = 0;
        onCardInit = nullptr;
        GameOptions = {};
        AppTitle = LoadResourceString(IDS_APP_TITLE, 100);
        WindowClassName = LoadResourceString(IDS_WINDOW_CLASS, 100);
    }
    void InstallCards() {
        auto draw = [](CardSurface*, int, int, int, int, std::uint32_t) { return 1; };
        headless.modules.Register("libcards32.so", FakeCardExports(FakeInit, draw));
    }
    platform::HeadlessWindow& StartUp() {
        InstallCards();
        RegisterWindowClass();
        EXPECT_TRUE(app.Create(ShowCommand::Normal));
        return *headless.desktop.MainWindow();
    }
    void Put(const char* name, std::uint32_t value) { store->WriteValue(SettingsKey, name, value); }
    std::map<std::string, std::optional<SettingsValue>> Contents() {
        std::map<std::string, std::optional<SettingsValue>> contents;
        for (const char* name : kStoredNames) contents[name] = store->ReadValue(SettingsKey, name);
        return contents;
    }

    std::unique_ptr<platform::SqliteSettingsStore> store = platform::SqliteSettingsStore::InMemory();
    platform::HeadlessPlatform headless{*store};
    CMainWindow app;
};

class MainWindowTest : public testing::Test, protected Session {};

// A first start opens maximised over the default rectangle and seeds the generator by the clock.
TEST_F(MainWindowTest, FirstStartOnAnEmptyStoreOpensMaximisedOverTheDefaultRectangle) {
    platform::HeadlessWindow& window = StartUp();
    EXPECT_EQ(window.GetWindowText(), "Deckfall");
    EXPECT_EQ(window.GetWindowPlacement().normalRect, (Rect{0, 0, 640, 500}));
    EXPECT_EQ(window.ShowState(), ShowCommand::Maximized);
    EXPECT_EQ(window.GetWindowRect(), (Rect{0, 0, 1024, 768}));
    EXPECT_FALSE(window.IsInvalid());  // painted at its maximised size
    EXPECT_EQ(app.cardWidth, 73);
    EXPECT_EQ(app.cardHeight, 97);

    // The generator goes on from the seed of the virtual clock's time in seconds.
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
        std::uint32_t minMax;
        int left, top, width, height;
        ShowCommand show;
        Rect normal;
    } cases[] = {
        {std::nullopt, 0, 10, 20, 640, 500, ShowCommand::Maximized, {10, 20, 650, 520}},
        {5, 0, 10, 20, 640, 500, ShowCommand::Maximized, {10, 20, 650, 520}},
        {0, 2, 10, 20, 640, 500, ShowCommand::Maximized, {10, 20, 650, 520}},
        {0, 1, 10, 20, 640, 500, ShowCommand::Normal, {10, 20, 650, 520}},
        {0, 0, -5, -5, 640, 500, ShowCommand::Normal, {0, 0, 640, 500}},
        {0, 0, 992, 736, 640, 500, ShowCommand::Normal, {992, 736, 1632, 1236}},
        {0, 0, 993, 737, 640, 500, ShowCommand::Normal, {0, 0, 640, 500}},
        {0, 0, 10, 20, 600, 454, ShowCommand::Normal, {10, 20, 648, 518}},
        {0, 0, 10, 20, 629, 455, ShowCommand::Normal, {10, 20, 639, 475}},
        {0, 0, 10, 20, 1024, 768, ShowCommand::Normal, {10, 20, 1034, 788}},
        {0, 0, 10, 20, 1025, 769, ShowCommand::Normal, {10, 20, 650, 520}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "MinMax " << c.minMax << " at " << c.left << "," << c.top << " "
                                        << c.width << "x" << c.height);
        Session run;
        if (c.firstBoot) run.Put("FirstBoot", *c.firstBoot);
        run.Put("MinMax", c.minMax);
        run.Put("Left", static_cast<std::uint32_t>(c.left));
        run.Put("Top", static_cast<std::uint32_t>(c.top));
        run.Put("Width", static_cast<std::uint32_t>(c.width));
        run.Put("Height", static_cast<std::uint32_t>(c.height));
        platform::HeadlessWindow& window = run.StartUp();
        EXPECT_EQ(window.ShowState(), c.show);
        EXPECT_EQ(window.GetWindowPlacement().normalRect, c.normal);
    }
}

// Start-up failures are shown and end the program before any message loop runs.
TEST_F(MainWindowTest, StartUpFailsWithoutTheCardLibraryOrTheWindowClass) {
    // Without the class the window cannot be made; the system's reason is shown.
    EXPECT_FALSE(app.Create(ShowCommand::Normal));
    ASSERT_EQ(headless.desktop.MessageBoxes().size(), 1u);
    const platform::MessageBoxRecord error = headless.desktop.MessageBoxes()[0];
    EXPECT_EQ(error.owner, nullptr);
    EXPECT_EQ(error.text, "Cannot find window class.");
    EXPECT_EQ(error.caption, "Deckfall");
    EXPECT_EQ(error.style, platform::MB_OK | platform::MB_ICONINFORMATION);

    // Without the library: its own box, and WinMain ends before any message loop
    // (which would deliver the close posted while the box is up).
    headless.desktop.messageBoxHandler = [&](const platform::MessageBoxRecord&) {
        headless.desktop.MainWindow()->PostMessage(Msg::Close, 0, 0);
        return platform::IDOK;
    };
    EXPECT_EQ(WinMain(ShowCommand::Normal), 0);
    ASSERT_EQ(headless.desktop.MessageBoxes().size(), 2u);
    EXPECT_EQ(headless.desktop.MessageBoxes()[1].owner, headless.desktop.MainWindow());
    EXPECT_FALSE(headless.desktop.MainWindow()->IsDestroyed());
    EXPECT_FALSE(store->ReadValue(SettingsKey, "FirstBoot"));
}

// WinMain loads its own texts and runs the message loop until the window is closed.
TEST_F(MainWindowTest, WinMainRunsUntilTheWindowIsClosed) {
    AppTitle.clear();
    WindowClassName.clear();
    InstallCards();
    onCardInit = [&] { headless.desktop.MainWindow()->PostMessage(Msg::Close, 0, 0); };
    EXPECT_EQ(WinMain(ShowCommand::Normal), 0);
    EXPECT_EQ(headless.desktop.MainWindow()->GetWindowText(), "Deckfall");
    EXPECT_TRUE(headless.desktop.MainWindow()->IsDestroyed());
    EXPECT_EQ(store->ReadValue(SettingsKey, "FirstBoot"), SettingsValue(0u));
}

// Closing saves every option and the normal rectangle, so the next start restores both.
TEST_F(MainWindowTest, CloseSavesOptionsAndTheNormalRectangleOfAMaximisedWindow) {
    Put("SwapMode", 3);
    Put("UpDown", 0xFFFFFFFF);
    Put("CollapseRegime", 3);
    Put("BackgroundColor", 0x123456);
    Put("Left", 10);
    Put("Top", 20);
    platform::HeadlessWindow& window = StartUp();
    GameOptions.Beep = 0;  // as the options dialog would leave it

    window.SendMessage(Msg::Close, 0, 0);
    EXPECT_TRUE(window.IsDestroyed());
    EXPECT_TRUE(headless.desktop.QuitPosted());
    EXPECT_EQ(headless.desktop.QuitCode(), 0);
    EXPECT_EQ(fakeCardTerms, 1);

    const std::uint32_t expected[] = {0, 0, 1,        0,        1,  3,  2,   0,   1, 0xFFFFFFFF,
                                      3, 1, 0xFF80FF, 0x123456, 20, 10, 640, 500, 2};
    auto contents = Contents();
    for (std::size_t i = 0; i < std::size(kStoredNames); ++i)
        EXPECT_EQ(contents[kStoredNames[i]], SettingsValue(expected[i])) << kStoredNames[i];

    GameOptions = {};
    LoadSettings(app);
    EXPECT_EQ(GameOptions.UpDown, -1);
    EXPECT_FALSE(IsFirstBoot());
}

// Logging out saves as a close does, even minimised, and leaves the window to the system.
TEST_F(MainWindowTest, EndOfSessionSavesAMinimisedWindowsNormalRectangleAndKeepsTheWindow) {
    Put("FirstBoot", 0);
    platform::HeadlessWindow& window = StartUp();
    window.MoveWindow({30, 40, 760, 600}, true);
    window.ShowWindow(ShowCommand::Minimized);
    app.paused = 0;
    window.SetTimer(1, 800);
    window.SendMessage(Msg::EndSession, 1, 0);
    EXPECT_FALSE(window.IsDestroyed());
    EXPECT_TRUE(window.Timers().empty());  // the fall timer stops all the same
    auto contents = Contents();
    EXPECT_EQ((std::vector{contents["Left"], contents["Top"], contents["Width"], contents["Height"],
                           contents["MinMax"]}),
              (std::vector<std::optional<SettingsValue>>{30u, 40u, 730u, 560u, 0u}));
}

// Exit from the menu leaves the stored settings exactly as they were.
TEST_F(MainWindowTest, ExitCommandDestroysWithoutSaving) {
    Put("Left", 10);
    platform::HeadlessWindow& window = StartUp();
    GameOptions.Beep = 0;
    const auto before = Contents();
    // As the Ctrl+X accelerator sends it.
    EXPECT_EQ(window.SendMessage(Msg::Command, platform::MakeWParam(IDM_EXIT, 1), 0), 0);
    EXPECT_TRUE(window.IsDestroyed());
    EXPECT_TRUE(headless.desktop.QuitPosted());
    EXPECT_EQ(fakeCardTerms, 1);
    EXPECT_EQ(Contents(), before);
}

// The board needs its minimum size; only the dragged edges may move to keep it.
TEST_F(MainWindowTest, DraggedEdgesStopAtTheMinimumSizeAndTheOtherEdgesStay) {
    platform::HeadlessWindow& window = StartUp();
    const auto sizing = [&](platform::WPARAM edge, Rect rect) {
        EXPECT_EQ(window.SendMessage(Msg::Sizing, edge, reinterpret_cast<platform::LPARAM>(&rect)), 0);
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
    EXPECT_EQ(window.SendMessage(Msg::Sizing, platform::WMSZ_LEFT, 0), 0);
}

// The player's background colour fills the whole client area on every erase.
TEST_F(MainWindowTest, BackgroundIsErasedInTheBackgroundColour) {
    platform::HeadlessWindow& window = StartUp();
    GameOptions.BackgroundColor = 0x00336699;  // 0x00BBGGRR
    const auto dc = window.GetDC();
    dc->FillRect(window.GetClientRect(), 0);
    EXPECT_EQ(window.SendMessage(Msg::EraseBackground, reinterpret_cast<platform::WPARAM>(dc.get()), 0), 1);
    const platform::Image& pixels = window.Pixels();
    ASSERT_EQ(pixels.Width(), window.GetClientRect().Width());
    EXPECT_TRUE(std::all_of(pixels.Data(), pixels.Data() + pixels.Width() * pixels.Height(),
                            [](std::uint32_t argb) { return argb == 0xFF996633u; }));
}

// Missing or mistyped settings fall back to the defaults; the shortest hand follows the rules.
TEST_F(MainWindowTest, LoadingGivesDefaultsDerivesTheShortestHandAndIgnoresWrongTypes) {
    GameOptions.DropInterval = 5;
    LoadSettings(app);
    const GameOptionsRecord& o = GameOptions;
    EXPECT_EQ((std::vector{o.SwapMode, o.OneDeck, o.EndOnShuffle, o.LastStack, o.UpDown, o.CollapseRegime,
                           o.GetFaster, o.ClearStacks, o.ForegroundColor, o.BackgroundColor, o.Beep, o.Music,
                           o.ShowNagDlg, o.MinCollapse, o.DropInterval}),
              (std::vector{1, 2, 0, 1, 1, 2, 1, 0, 0xFF80FF, 0x400040, 1, 1, 1, 3, 800}));
    EXPECT_TRUE(IsFirstBoot());
    for (auto [regime, minCollapse] : {std::pair{3, 2}, {1, 3}, {2, 3}, {7, 0}, {0, 0}}) {
        GameOptions = {};
        Put("CollapseRegime", regime);
        LoadSettings(app);
        EXPECT_EQ(GameOptions.MinCollapse, minCollapse) << "regime " << regime;
    }

    store->WriteValue(SettingsKey, "Music", std::string("0"));
    store->WriteValue(SettingsKey, "Width", std::string("800"));
    LoadSettings(app);
    EXPECT_EQ(GameOptions.Music, 1);
    EXPECT_EQ(app.Width, 640);
}

}  // namespace
