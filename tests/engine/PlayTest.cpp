// The board and the falling card: layout and status texts, falling, moving,
// dropping, swapping, landing and collapsing, on the screen as well as in the rules.

#include "tests/support/GameFixture.h"

namespace enginetest {
namespace {

using platform::Rect;

const std::string kBlank(24, ' ');

class PlayTest : public GameFixture {};

TEST_F(PlayTest, BoardIsCentredWithItsStatusAndTheFirstCardEntersAboveColumnThree) {
    StartUp();
    Repaint();
    ASSERT_EQ(window->GetClientRect(), (Rect{0, 0, 700, 500}));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Point(Game().GetStacks().GetStack(i)->GetX(), Game().GetStacks().GetStack(i)->GetY()),
                  Point(42 + 91 * i, 308));
    EXPECT_EQ(Game().GetBoardRect(), (Rect{42, 308, 659, 404}));
    EXPECT_EQ(CardAt(), Point(315, 20));
    EXPECT_EQ(Pixel(315 + kW - 1, 20 + kH - 1), Face(Falling()));

    // Text cells are 8 × 16 here; the deck line ends at column 6's right edge and the
    // blank notices are centred under their columns.
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 16u);
    EXPECT_EQ(texts[0], std::pair(Point(42, 0), std::string("Winnings: $0     ")));
    EXPECT_EQ(texts[1], std::pair(Point(659 - 22 * 8, 0), std::string("     Cards in deck: 52")));
    EXPECT_EQ(texts[2], std::pair(Point(42 + 35 - 96, 408), kBlank));
    EXPECT_EQ(texts[15], std::pair(Point(588 + 35 - 96, 425), kBlank));

    // Only x follows the window's size.
    window->MoveWindow({0, 0, 908, 546}, true);
    window->UpdateWindow();
    EXPECT_EQ(Game().GetBoardRect(), (Rect{142, 308, 759, 404}));
    EXPECT_EQ(CardAt(), Point(415, 20));
    EXPECT_EQ(Pixel(415, 20), Face(Falling()));
}

TEST_F(PlayTest, FallingCardFallsMovesLandsAndStaysAndRefusalsAreFree) {
    StartUp();
    const int first = Falling();
    headless.desktop.AdvanceTime(800);  // the fall timer's first period
    EXPECT_EQ(CardAt(), Point(315, 32));
    EXPECT_EQ(Pixel(315, 20), kBackground);
    Key(platform::VK_LEFT);
    Key(platform::VK_NUMPAD4);
    EXPECT_EQ(CardAt(), Point(133, 32));

    // 288 pixels from the entry to an empty stack: 24 steps in all.
    Tick(22);
    EXPECT_TRUE(Events(Kind::Land).empty());
    Tick();
    ASSERT_EQ(Events(Kind::Land).size(), 1u);
    const PlayEvent land = Events(Kind::Land)[0];
    EXPECT_EQ((std::vector{land.column, land.count, land.collapsed, land.winnings}),
              (std::vector{1, 1, 0, -2}));
    EXPECT_EQ(Pixel(133 + kW - 1, 308 + kH - 1), Face(first));
    // The next card enters above the column of the last landing.
    EXPECT_EQ(Events(Kind::Deal).at(1).card, Falling());
    EXPECT_EQ(CardAt(), Point(133, 20));

    // A hard drop: 48 pixels per 10 ms, ending exactly on the landing place.
    const std::uint64_t before = headless.clock.ElapsedMs();
    const int second = Falling();
    Key(platform::VK_DOWN);
    EXPECT_EQ(headless.clock.ElapsedMs() - before, 60u);
    EXPECT_EQ(Pixel(133, 284), Face(second));
    EXPECT_EQ(Pixel(133, 284 + kH), Face(first));

    // A swap costs $2 and shows the new card in place.
    Key(platform::VK_SPACE);
    EXPECT_EQ(std::pair(Events(Kind::Swap).at(0).ok, Events(Kind::Swap)[0].card), std::pair(true, Falling()));
    EXPECT_EQ(Game().GetWinnings(), -6);
    EXPECT_EQ(Pixel(133, 20), Face(Falling()));

    // Refused moves and swaps cost nothing.
    GameOptions.SwapMode = 4;  // stud: no trading
    const int card = Falling();
    Key(platform::VK_UP);
    EXPECT_FALSE(Events(Kind::Swap).at(1).ok);
    EXPECT_EQ(Falling(), card);
    for (int i = 0; i < 3; ++i) Key(platform::VK_LEFT);
    EXPECT_EQ(CardAt(), Point(42, 20));
    for (int i = 0; i < 8; ++i) Key(platform::VK_RIGHT);
    EXPECT_EQ(CardAt(), Point(588, 20));
    EXPECT_EQ(Game().GetWinnings(), -6);
}

TEST_F(PlayTest, FlushCollapsesPaysAndItsNoticeLastsSevenTicks) {
    Put("OneDeck", 0);
    StartUp();
    const int hearts[] = {MakeCard(kTwo, kHearts), MakeCard(kFive, kHearts), MakeCard(kSeven, kHearts),
                          MakeCard(kNine, kHearts), MakeCard(kJack, kHearts)};
    SeedToDraw(hearts[0]);
    Key(platform::VK_SPACE);
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(Falling(), hearts[i]);
        if (i < 4) SeedToDraw(hearts[i + 1]);
        headless.tones.Clear();
        window->DrawCalls().clear();
        DropOn(3);
    }
    const PlayEvent land = Events(Kind::Land).back();
    EXPECT_EQ((std::vector{land.count, land.collapsed, land.hand, land.base, land.pay}),
              (std::vector{5, 5, static_cast<int>(Flush), 15, 15}));
    EXPECT_EQ(Game().GetWinnings(), -2 - 5 * 2 + 15);
    EXPECT_TRUE(Cards(3).empty());
    EXPECT_EQ(headless.tones.Tones(), (std::vector<platform::ToneRecord>{
                                          {220, 200}, {330, 170}, {440, 150}, {550, 135}, {660, 125}}));
    for (int y = 20 + kH; y < 404; ++y)
        for (int value : hearts) ASSERT_NE(Pixel(320, y), Face(value)) << y;
    // Under column 3 (centre x 350): the hand over the amount.
    EXPECT_TRUE(Drawn({350 - 60, 408}, "     Flush     "));
    EXPECT_TRUE(Drawn({350 - 32, 425}, "pays $15"));

    window->DrawCalls().clear();
    Tick(6);
    EXPECT_TRUE(Texts().empty());
    Tick();
    EXPECT_TRUE(Drawn({350 - 96, 408}, kBlank));
    EXPECT_TRUE(Drawn({350 - 96, 425}, kBlank));
}

TEST_F(PlayTest, UpsideDownTheCardRisesUpDropsAndDownSwaps) {
    Put("UpDown", 0xFFFFFFFF);
    StartUp();
    EXPECT_EQ(Game().GetStacks().GetStack(0)->GetY(), 20);
    EXPECT_EQ(CardAt(), Point(315, 308));
    Tick();
    EXPECT_EQ(CardAt(), Point(315, 296));
    EXPECT_EQ(Pixel(315, 296 + kH), kBackground);

    Key(platform::VK_DOWN);
    EXPECT_EQ(Events(Kind::Swap).size(), 1u);
    const int card = Falling();
    Key(platform::VK_UP);
    EXPECT_EQ(Events(Kind::Land).size(), 1u);
    EXPECT_EQ(Pixel(315, 20), Face(card));
    EXPECT_EQ(Game().GetStacks().TopY(3), 44);
    EXPECT_EQ(CardAt(), Point(315, 308));
    // Notices go below the place where new cards appear.
    Repaint();
    EXPECT_EQ(Texts().at(2).first, Point(42 + 35 - 96, 308 + kH + 4));
}

}  // namespace
}  // namespace enginetest
