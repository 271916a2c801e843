// The falling card on a headless board: the pixels under it come back when it moves.

#include "app/CMainWindow.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RasterContext.h"
#include "tests/cardlib/NullSettings.h"
#include "tests/deck/DeckTesting.h"

namespace {

using platform::Image;

constexpr int kWidth = 71, kHeight = 96;

// Each face is one flat colour that no background pixel has.
std::uint32_t FaceColour(int card) {
    return 0xFFEE0011u | (static_cast<std::uint32_t>(card) << 10);
}

int FakeInit(int* width, int* height) {
    *width = kWidth;
    *height = kHeight;
    return 1;
}
int FakeDraw(CardSurface* surface, int x, int y, int card, int mode, std::uint32_t colour) {
    const std::uint32_t argb = FaceColour(card);
    const platform::ColorRef face = platform::Rgb(argb >> 16, argb >> 8, argb);
    return surface->fill(surface->context, x, y, kWidth, kHeight, mode == 0 ? face : colour);
}
int FakeDrawExt(CardSurface*, int, int, int, int, int, int, std::uint32_t) {
    return 1;
}
int FakeAnimate(CardSurface*, int, int, int, int) {
    return 1;
}
void FakeTerm() {}

Image Background() {
    Image image(300, 240);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, 0xFF000000u | ((x * 37 + y * 11) & 0xFFFF));
    return image;
}

Image With(Image image, int x, int y, std::int32_t card) {
    for (int row = y; row < y + kHeight; ++row)
        for (int col = x; col < x + kWidth; ++col)
            image.SetPixel(col, row, FaceColour(card));
    return image;
}

int Differences(const Image& a, const Image& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            count += a.Pixel(x, y) != b.Pixel(x, y);
    return count;
}

class DeckSpriteTest : public DeckTest {
  protected:
    void SetUp() override {
        DeckTest::SetUp();
        GameOptions.OneDeck = 0;
        headless.modules.Register("libcards32.so",
                                  {{"cdtInit", reinterpret_cast<void*>(&FakeInit)},
                                   {"cdtDraw", reinterpret_cast<void*>(&FakeDraw)},
                                   {"cdtDrawExt", reinterpret_cast<void*>(&FakeDrawExt)},
                                   {"cdtAnimate", reinterpret_cast<void*>(&FakeAnimate)},
                                   {"cdtTerm", reinterpret_cast<void*>(&FakeTerm)}});
        ASSERT_TRUE(app.cardLibrary.Load(nullptr));
        app.cardWidth = kWidth;
        app.cardHeight = kHeight;
        deck.DealNext(nullptr);
    }
    std::int32_t Card() const { return deck.Current()->GetValue(); }

    NullSettings settings;
    platform::HeadlessPlatform headless{settings};
    CMainWindow app;
    Image board = Background();
    std::vector<platform::DrawCall> calls;
    platform::RasterContext dc{board, &calls};
};

TEST_F(DeckSpriteTest, MovingTwiceLeavesNoTrace) {
    deck.MoveTo(10, 20, &dc);
    EXPECT_EQ(Differences(board, With(Background(), 10, 20, Card())), 0);
    deck.MoveTo(60, 90, &dc);
    deck.MoveBy(30, -40, &dc);  // overlapping the last place
    EXPECT_EQ(Differences(board, With(Background(), 90, 50, Card())), 0);
    deck.EraseCard(dc);
    EXPECT_EQ(Differences(board, Background()), 0);
}

TEST_F(DeckSpriteTest, DrawingAgainInPlaceKeepsTheFirstSavedBackground) {
    deck.MoveTo(40, 40, &dc);
    deck.DrawCard(dc);  // a full paint
    GameOptions.SwapMode = 2;
    const std::int32_t before = Card();
    ASSERT_TRUE(deck.Swap(nullptr));
    ASSERT_NE(Card(), before) << "the seed deals a King";
    deck.Redraw(dc);
    EXPECT_EQ(Differences(board, With(Background(), 40, 40, Card())), 0);
    deck.MoveTo(150, 130, &dc);
    EXPECT_EQ(Differences(board, With(Background(), 150, 130, Card())), 0);
}

TEST_F(DeckSpriteTest, LandedCardStaysAndTheNextOneStartsUnplaced) {
    deck.MoveTo(30, 30, &dc);
    const std::int32_t landed = deck.TakeCard()->GetValue();
    deck.EraseCard(dc);
    const Image withLanded = With(Background(), 30, 30, landed);
    EXPECT_EQ(Differences(board, withLanded), 0);

    deck.DealNext(nullptr);
    EXPECT_EQ(deck.GetX(), 0);
    EXPECT_EQ(deck.GetY(), 0);
    deck.MoveTo(150, 30, &dc);
    deck.MoveTo(150, 60, &dc);
    EXPECT_EQ(Differences(board, With(withLanded, 150, 60, Card())), 0);
}

TEST_F(DeckSpriteTest, WithoutAContextOnlyThePositionChanges) {
    deck.MoveTo(5, 6, nullptr);
    deck.MoveBy(10, 10, nullptr);
    EXPECT_EQ(deck.GetX(), 15);
    EXPECT_EQ(deck.GetY(), 16);
    EXPECT_TRUE(calls.empty());
    deck.Redraw(dc);
    EXPECT_EQ(Differences(board, With(Background(), 15, 16, Card())), 0);
}

}  // namespace
