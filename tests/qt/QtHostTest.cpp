// The Qt host's drawing and input on the offscreen platform: raster operations
// as GDI defines them, off-screen bitmaps that save and restore pixels exactly
// at any pixel ratio, what a context pushes, the keypad's codes and the level dialog's end.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <tuple>

#include "app/GameOptions.h"
#include "engine/LevelDlgProc.h"
#include "platform/Services.h"
#include "platform/headless/VirtualClock.h"
#include "platform/qt/KeyMapping.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtDrawingContext.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

namespace {

using namespace platform;

std::shared_ptr<Canvas> MakeBuffer(int width, int height, qreal ratio, QColor fill) {
    auto canvas = std::make_shared<Canvas>(QSize(width, height), ratio);
    canvas->Image().fill(fill);
    return canvas;
}

QRgb At(const std::shared_ptr<Canvas>& canvas, int x, int y) {
    const QImage& image = canvas->Image();
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(qRound(x * ratio), qRound(y * ratio)) & 0xFFFFFF;
}

class QtHostTest : public ::testing::TestWithParam<qreal> {};

// MERGEPAINT is destination OR NOT source; SRCAND is destination AND source: the
// slot marker depends on both exactly.
TEST_P(QtHostTest, RasterOperationsCombineAsGdiDefinesThem) {
    const qreal ratio = GetParam();
    auto window = MakeBuffer(40, 20, ratio, QColor(0x40, 0x00, 0x40));
    QtDrawingContext dc(window);
    auto bitmap = dc.CreateCompatibleBitmap(10, 10);
    {
        auto memory = dc.CreateMemoryContext(*bitmap);
        memory->FillRect({0, 0, 10, 10}, Rgb(192, 192, 192));
    }
    auto memory = dc.CreateMemoryContext(*bitmap);
    dc.BitBlt(0, 0, 10, 10, *memory, 0, 0, RasterOp::MergePaint);
    // 0x40 | ~0xC0 = 0x7F; 0x00 | 0x3F = 0x3F
    EXPECT_EQ(At(window, 5, 5), 0x7F3F7Fu);
    dc.BitBlt(20, 0, 10, 10, *memory, 0, 0, RasterOp::SrcAnd);
    EXPECT_EQ(At(window, 25, 5), 0x400040u & 0xC0C0C0u);
    dc.BitBlt(10, 10, 10, 10, *memory, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(At(window, 15, 15), 0xC0C0C0u);
    EXPECT_EQ(At(window, 35, 15), 0x400040u) << "nothing outside the blits changes";
}

// The falling card saves what lies under it and puts it back: after the round
// trip every device pixel must be as it was, also at a ratio of 2.
TEST_P(QtHostTest, SavedBackgroundRestoresEveryDevicePixel) {
    const qreal ratio = GetParam();
    auto window = MakeBuffer(60, 60, ratio, Qt::black);
    QtDrawingContext dc(window);
    for (int i = 0; i < 6; ++i) dc.FillRect({i * 10, 0, i * 10 + 5, 60}, Rgb(40 * i, 255 - 40 * i, 7 * i));
    const QImage before = window->Image().copy();
    auto saved = dc.CreateCompatibleBitmap(30, 40);
    {
        auto memory = dc.CreateMemoryContext(*saved);
        memory->BitBlt(0, 0, 30, 40, dc, 12, 9, RasterOp::SrcCopy);
    }
    dc.FillRect({12, 9, 42, 49}, Rgb(255, 255, 255));
    auto memory = dc.CreateMemoryContext(*saved);
    dc.BitBlt(12, 9, 30, 40, *memory, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(window->Image(), before);

    // A card partly past the window's edge saves and restores what part lies inside.
    {
        auto edge = dc.CreateMemoryContext(*saved);
        edge->BitBlt(0, 0, 30, 40, dc, 45, 35, RasterOp::SrcCopy);
    }
    dc.FillRect({45, 35, 60, 60}, Rgb(255, 255, 255));
    dc.BitBlt(45, 35, 30, 40, *memory, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(window->Image(), before);
}

// A card's pixels are opaque: copied as they are where the sizes agree, scaled to
// fill the rectangle where they do not, never blended with what lay beneath.
TEST_P(QtHostTest, CardPixelsCoverTheirRectangle) {
    const qreal ratio = GetParam();
    auto window = MakeBuffer(20, 20, ratio, Qt::black);
    QtDrawingContext dc(window);
    const int side = qRound(4 * ratio);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side * side), 0xFF2040A0u);
    pixels.front() = 0xFFFF0000u;
    EXPECT_TRUE(dc.DrawPixels({2, 3, 6, 7}, PixelView{pixels.data(), side, side, side}));
    EXPECT_EQ(At(window, 2, 3), 0xFF0000u);
    EXPECT_EQ(At(window, 5, 6), 0x2040A0u);
    EXPECT_EQ(At(window, 6, 7), 0x000000u);
    EXPECT_TRUE(dc.DrawPixels({10, 10, 18, 18}, PixelView{pixels.data(), side, side, side}));
    EXPECT_EQ(At(window, 10, 10), 0xFF0000u);
    EXPECT_EQ(At(window, 17, 17), 0x2040A0u);
}

INSTANTIATE_TEST_SUITE_P(PixelRatios, QtHostTest, ::testing::Values(1.0, 1.5, 2.0));

// A released context pushes what it changed, once; a held one pushes what it drew so far
// when the program blocks, and nothing twice. Text is opaque within its measured extent.
TEST(QtDrawingContextTest, ContextsPushWhatTheyChangedOnceAndTextIsOpaque) {
    auto window = MakeBuffer(300, 100, 1.0, Qt::black);
    std::vector<Rect> pushed;
    int width = 0;
    {
        QtDrawingContext dc(window, [&](const Rect& r) { pushed.push_back(r); });
        dc.FillRect({5, 5, 15, 15}, Rgb(9, 9, 9));
        QtDrawingContext::FlushAll();
        QtDrawingContext::FlushAll();
        EXPECT_EQ(pushed, (std::vector<Rect>{{5, 5, 15, 15}}));
        dc.SetBkColor(Rgb(0x40, 0, 0x40));
        dc.SetTextColor(Rgb(255, 128, 255));
        ASSERT_TRUE(dc.TextOut(100, 50, "Winnings: $-6     "));
        width = dc.GetTextExtent("Winnings: $-6     ")->cx;
        EXPECT_EQ(At(window, 100 + width - 2, 51), 0x400040u) << "trailing spaces paint background";
        EXPECT_EQ(At(window, 100 + width + 1, 51), 0u);
        pushed.clear();
    }
    ASSERT_EQ(pushed.size(), 1u);
    EXPECT_EQ(std::tuple(pushed[0].left, pushed[0].top, pushed[0].right), std::tuple(100, 50, 100 + width));
    {
        QtDrawingContext idle(window, [&](const Rect& r) { pushed.push_back(r); });
    }
    EXPECT_EQ(pushed.size(), 1u) << "a context that drew nothing pushes nothing";
}

// Num Lock on: keypad digits become VK_NUMPAD codes; off: keypad arrows stay arrows and 5 is Clear.
TEST(KeyMappingTest, KeypadMapsToItsVirtualKeys) {
    const std::tuple<int, Qt::KeyboardModifiers, std::uintptr_t> keys[] = {
        {Qt::Key_2, Qt::KeypadModifier, VK_NUMPAD2},
        {Qt::Key_5, Qt::KeypadModifier, VK_NUMPAD5},
        {Qt::Key_2, Qt::NoModifier, '2'},
        {Qt::Key_Left, Qt::KeypadModifier, VK_LEFT},
        {Qt::Key_Clear, Qt::KeypadModifier, VK_CLEAR}};
    for (const auto& [key, modifiers, virtualKey] : keys)
        EXPECT_EQ(VirtualKeyOf(key, modifiers), virtualKey) << key;
}

// The level dialog's timer ends it with OK after a second, or Esc at once with Cancel. (Its
// layout is checked with every other template's.)
TEST(QtDialogTest, TheLevelDialogEndsByItsTimerOrEsc) {
    VirtualClock clock;
    const ScopedServices services{{.clock = &clock}};
    GameOptions.Beep = 0;
    for (const bool esc : {false, true}) {
        QtDialog dialog(*FindDialogTemplate(IDD_NEXT_LEVEL), nullptr, nullptr, LevelDlgProc);
        if (esc) QTimer::singleShot(0, &dialog, &QtDialog::reject);
        QElapsedTimer shown;
        shown.start();
        EXPECT_EQ(dialog.Run(0), esc ? IDCANCEL : IDOK);
        EXPECT_EQ(shown.elapsed() >= 1000, !esc);
    }
}

}  // namespace
