// Stacks on the board: drawing, and the clearing and collapsing animations with their
// tones, on the headless platform; the marker's bitmaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "platform/headless/RasterContext.h"
#include "tests/support/GameFixture.h"

namespace {

using platform::ArgbOf;
using platform::ColorRef;
using platform::DrawCall;
using platform::RasterOp;
using platform::Rect;
using platform::Rgb;
using platform::ToneRecord;

constexpr int kW = kCardW;  // a pixel wider and taller than the marker bitmaps
constexpr int kH = kCardH;
constexpr ColorRef kBackground = Rgb(64, 0, 64);
constexpr int kX = 100;
constexpr int kY = 300;

struct LibraryCall {
    int x, y, card, mode;
    std::uint32_t colour;
    friend bool operator==(const LibraryCall&, const LibraryCall&) = default;
};
std::ostream& operator<<(std::ostream& out, const LibraryCall& c) {
    return out << "{" << c.x << "," << c.y << " card " << c.card << " mode " << c.mode << "}";
}
std::vector<LibraryCall> libraryCalls;

int RecordedDraw(CardSurface* surface, int x, int y, int card, int mode, std::uint32_t colour) {
    libraryCalls.push_back({x, y, card, mode, colour});
    return FakeCardDraw(surface, x, y, card, mode, colour);
}

LibraryCall Face(int y, std::int32_t value) {
    return {kX, y, value, CARDS32_FACE, kBackground};
}
LibraryCall Erase(int y, std::int32_t value) {
    return {kX, y, value, CARDS32_REMOVE, kBackground};
}

class CardStackTest : public testing::Test, protected enginetest::Program {
protected:
    CardStackTest() {
        GameOptions.UpDown = 1;
        GameOptions.BackgroundColor = static_cast<std::int32_t>(kBackground);
        GameOptions.Beep = 1;
        GameOptions.CollapseRegime = 2;
        GameOptions.MinCollapse = 3;
        libraryCalls.clear();
        headless.modules.Register("libcards32.so", FakeCardExports(FakeCardInit, RecordedDraw));
        app.cardLibrary.Load(nullptr);
        app.cardWidth = kW;
        app.cardHeight = kH;
        app.slotRingBitmap = headless.desktop.CreateBitmap(LoadBitmapResource(IDB_SLOT_RING));
        app.slotFrameBitmap = headless.desktop.CreateBitmap(LoadBitmapResource(IDB_SLOT_FRAME));
    }

    std::unique_ptr<CCardStack> Placed(const std::vector<std::int32_t>& topFirst) {
        auto stack = StackOf(topFirst);
        stack->SetPosition(kX, kY);
        return stack;
    }
    // The marker's two blits at the base position, clipped to the bitmaps.
    void ExpectMarkerAt(std::size_t index) {
        ASSERT_GE(log.size(), index + 2);
        for (const RasterOp op : {RasterOp::MergePaint, RasterOp::SrcAnd}) {
            const DrawCall& blit = log[index++];
            EXPECT_EQ(std::tuple(blit.kind, blit.rect, blit.op),
                      std::tuple(DrawCall::Kind::BitBlt, Rect{kX, kY, kX + 70, kY + 95}, op));
        }
    }

    platform::Image screen{320, 420, ArgbOf(kBackground)};
    std::vector<DrawCall> log;
    platform::RasterContext dc{screen, &log};
};

// Each card overlaps the one beneath it, so the stack is drawn from the marker up.
TEST_F(CardStackTest, DrawsTheMarkerThenEachCardBottomUp) {
    GameOptions.UpDown = -1;
    const auto cards = Cards("KS AC");
    Placed(cards)->Draw(dc);
    ExpectMarkerAt(0);
    EXPECT_EQ(libraryCalls, (std::vector{Face(kY, cards[1]), Face(kY + 24, cards[0])}));

    libraryCalls.clear();
    CCard back(cards[0]);
    back.SetDrawMode(CCard::FaceDown);
    back.Draw(dc, kX, kY, true);
    EXPECT_EQ(libraryCalls, (std::vector<LibraryCall>{{kX, kY, 54, CARDS32_BACK, kBackground}}));
}

// Clearing the stacks costs the card points, one erase and one tone per card.
TEST_F(CardStackTest, ClearErasesFromTheTopWithATonePerCardAndAddsUpPoints) {
    const auto cards = Cards("AH 7C KS");
    const auto stack = Placed(cards);
    EXPECT_EQ(stack->Clear(dc), 15 + 5 + 10);
    EXPECT_EQ(stack->Count(), 0);
    EXPECT_EQ(libraryCalls,
              (std::vector{Erase(kY - 48, cards[0]), Erase(kY - 24, cards[1]), Erase(kY, cards[2])}));
    EXPECT_EQ(headless.tones.Tones(), (std::vector<ToneRecord>(3, {120, 50})));
    EXPECT_EQ(log.size(), 3u);  // the caller draws the marker again

    // Two to Nine are worth 5, Ten and up 10.
    for (auto [cards, points] : {std::pair{"2C 9C", 10}, {"TD JD", 20}})
        EXPECT_EQ(Placed(Cards(cards))->Clear(dc), points);
}

// Each erased card wipes the strip of the next, drawn again; an emptied column shows its marker.
TEST_F(CardStackTest, CollapseRedrawsEachNewTopThenTheMarkerAndPausesWithoutSound) {
    GameOptions.UpDown = -1;
    GameOptions.Beep = 0;
    const auto cards = Cards("2C KD 2D 2H 2S");
    EXPECT_EQ(Placed(cards)->Collapse(dc, 5, nullptr), 101);
    std::vector<LibraryCall> expected;
    for (int i = 0; i < 5; ++i) {
        expected.push_back(Erase(kY + 24 * (4 - i), cards[i]));
        if (i < 4) expected.push_back(Face(kY + 24 * (3 - i), cards[i + 1]));
    }
    EXPECT_EQ(libraryCalls, expected);
    ExpectMarkerAt(log.size() - 2);
    EXPECT_TRUE(headless.tones.Tones().empty());
    EXPECT_EQ(headless.clock.ElapsedMs(), 20u + 17 + 15 + 13 + 12);
}

// Only a recycling deck gets collapsed cards back; otherwise they leave the game.
TEST_F(CardStackTest, CollapsedCardsGoBackIntoTheDeckOnlyWhenRecycling) {
    for (std::int32_t oneDeck : {0, 1, 2}) {
        SCOPED_TRACE(oneDeck);
        GameOptions.OneDeck = oneDeck;
        CDeck deck;
        const std::int32_t before = deck.CardsLeft();
        Placed({0, 1, 2, 3, 4, 5})->Collapse(dc, 5, &deck);
        EXPECT_EQ(deck.CardsLeft() - before, oneDeck == 2 ? 5 : 0);
    }
}

// The empty-slot marker shows on any background: OR NOT with a light grey (192) ring lightens
// the background, AND with a black outline with cut corners draws it; white leaves it alone.
TEST(MarkerBitmapsTest, AnOutlineWithCutCornersAndALightGreyRing) {
    const platform::Image ring = LoadBitmapResource(IDB_SLOT_RING);
    const platform::Image frame = LoadBitmapResource(IDB_SLOT_FRAME);
    for (const auto* bitmap : {&ring, &frame})
        ASSERT_EQ(std::pair(bitmap->Width(), bitmap->Height()), std::pair(70, 95));
    const auto white = ArgbOf(Rgb(255, 255, 255)), grey = ArgbOf(Rgb(192, 192, 192)), black = 0xFF000000u;
    int ringPixels = 0, outlinePixels = 0;
    for (int y = 0; y < 95; ++y)
        for (int x = 0; x < 70; ++x) {
            ASSERT_TRUE(ring.Pixel(x, y) == white || ring.Pixel(x, y) == grey) << x << "," << y;
            ASSERT_TRUE(frame.Pixel(x, y) == white || frame.Pixel(x, y) == black) << x << "," << y;
            outlinePixels += frame.Pixel(x, y) == black;
            ringPixels += ring.Pixel(x, y) == grey && frame.Pixel(x, y) == white;
        }
    EXPECT_EQ(ring.Pixel(35, 47), white);  // a ring, not a disc
    EXPECT_EQ(frame.Pixel(0, 0), white);   // a cut corner
    EXPECT_GT(ringPixels, 300);
    EXPECT_EQ(outlinePixels, 2 * 66 + 2 * 91 + 4);  // edges less the cut corners, and the diagonals
}

}  // namespace
