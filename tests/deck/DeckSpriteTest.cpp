// The falling card on a headless board: the pixels under it come back when it moves.

#include <algorithm>
#include <array>

#include "platform/headless/RasterContext.h"
#include "tests/support/GameFixture.h"

namespace {

// x, y and value of a card face on the board.
using Placed = std::array<int, 3>;

// A patterned board, so that pixels put back in the wrong place show, and the faces on it.
platform::Image Board(std::initializer_list<Placed> faces = {}) {
    platform::Image image(300, 240);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, 0xFF000000u | ((x * 37 + y * 11) & 0xFFFF));
    for (auto [x, y, card] : faces)
        for (int row = y; row < y + kCardH; ++row)
            std::fill_n(image.Row(row) + x, kCardW, platform::ArgbOf(FaceRef(card)));
    return image;
}

class DeckSpriteTest : public DeckTest, protected enginetest::Program {
protected:
    void SetUp() override {
        DeckTest::SetUp();
        GameOptions.OneDeck = 0;
        headless.modules.Register("libcards32.so", FakeCardExports());
        ASSERT_TRUE(app.cardLibrary.Load(nullptr));
        app.cardWidth = kCardW;
        app.cardHeight = kCardH;
        deck.DealNext(nullptr);
    }
    bool Shows(std::initializer_list<Placed> faces) const {
        const platform::Image expected = Board(faces);
        return std::equal(expected.Data(), expected.Data() + 300 * 240, board.Data());
    }

    platform::Image board = Board();
    platform::RasterContext dc{board};
};

// The board under the card is saved once per place, never with the card on it; a landed card stays.
TEST_F(DeckSpriteTest, MovingAndRedrawingLeaveNoTraceAndALandedCardStays) {
    deck.MoveTo(10, 20, &dc);
    EXPECT_TRUE(Shows({{10, 20, Value()}}));
    deck.MoveTo(60, 90, &dc);
    deck.MoveBy(30, -40, &dc);  // overlapping the last place
    EXPECT_TRUE(Shows({{90, 50, Value()}}));
    deck.DrawCard(dc);  // a full paint
    GameOptions.SwapMode = 2;
    const std::int32_t before = Value();
    ASSERT_TRUE(deck.Swap(nullptr));
    ASSERT_NE(Value(), before) << "the seed deals a King";
    deck.Redraw(dc);
    EXPECT_TRUE(Shows({{90, 50, Value()}}));
    deck.MoveTo(150, 130, &dc);
    const int landed = deck.TakeCard()->GetValue();
    deck.EraseCard(dc);  // nothing is saved under a card handed over
    EXPECT_TRUE(Shows({{150, 130, landed}}));
}

}  // namespace
