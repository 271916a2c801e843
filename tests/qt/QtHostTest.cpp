// The Qt host's drawing and input on the offscreen platform: raster operations
// as GDI defines them, off-screen bitmaps that save and restore pixels exactly
// at any pixel ratio, what a released context pushes, and the key codes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <QCheckBox>
#include <QTimer>

#include "platform/Desktop.h"
#include "platform/DialogTemplate.h"
#include "platform/Messages.h"
#include "platform/qt/KeyMapping.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtDrawingContext.h"

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

// A context released outside a paint pushes what it changed, in logical pixels,
// and text is drawn opaque over the background colour within its measured extent.
TEST(QtDrawingContextTest, ReleasePushesTheChangedRectangleAndTextIsOpaque) {
    auto window = MakeBuffer(300, 100, 1.0, Qt::black);
    std::vector<Rect> pushed;
    {
        QtDrawingContext dc(window, [&](const Rect& r) { pushed.push_back(r); });
        dc.FillRect({10, 10, 20, 30}, Rgb(1, 2, 3));
        dc.SetBkColor(Rgb(0x40, 0, 0x40));
        dc.SetTextColor(Rgb(255, 128, 255));
        ASSERT_TRUE(dc.TextOut(100, 50, "Winnings: $-6     "));
        const auto extent = dc.GetTextExtent("Winnings: $-6     ");
        ASSERT_TRUE(extent);
        EXPECT_GT(extent->cx, 0);
        EXPECT_EQ(At(window, 100 + extent->cx - 2, 50 + 1), 0x400040u) << "trailing spaces paint background";
        EXPECT_EQ(At(window, 100 + extent->cx + 1, 50 + 1), 0u);
    }
    ASSERT_EQ(pushed.size(), 1u);
    EXPECT_EQ(pushed[0].left, 10);
    EXPECT_EQ(pushed[0].top, 10);
    EXPECT_GE(pushed[0].right, 100);
    auto untouched = MakeBuffer(10, 10, 1.0, Qt::black);
    bool pushedAgain = false;
    {
        QtDrawingContext idle(untouched, [&](const Rect&) { pushedAgain = true; });
    }
    EXPECT_FALSE(pushedAgain) << "a context that drew nothing pushes nothing";
}

// A held context's drawing reaches the screen before the program blocks, and only once.
TEST(QtDrawingContextTest, FlushPushesWhatAHeldContextDrewSoFar) {
    auto window = MakeBuffer(100, 100, 1.0, Qt::black);
    std::vector<Rect> pushed;
    {
        QtDrawingContext dc(window, [&](const Rect& r) { pushed.push_back(r); });
        dc.FillRect({5, 5, 15, 15}, Rgb(9, 9, 9));
        QtDrawingContext::FlushAll();
        ASSERT_EQ(pushed.size(), 1u);
        EXPECT_EQ(pushed[0], (Rect{5, 5, 15, 15}));
        QtDrawingContext::FlushAll();
        EXPECT_EQ(pushed.size(), 1u) << "nothing new to push";
        dc.FillRect({20, 20, 30, 30}, Rgb(9, 9, 9));
    }
    ASSERT_EQ(pushed.size(), 2u);
    EXPECT_EQ(pushed[1], (Rect{20, 20, 30, 30}));
}

// Num Lock on: keypad digits become VK_NUMPAD codes; off: keypad arrows stay arrows and 5 is Clear.
TEST(KeyMappingTest, KeypadAndArrowsMapToTheirVirtualKeys) {
    EXPECT_EQ(VirtualKeyOf(Qt::Key_2, Qt::KeypadModifier), VK_NUMPAD2);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_8, Qt::KeypadModifier), VK_NUMPAD8);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_5, Qt::KeypadModifier), VK_NUMPAD5);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_2, Qt::NoModifier), std::uintptr_t{'2'});
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Left, Qt::KeypadModifier), VK_LEFT);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Down, Qt::NoModifier), VK_DOWN);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Clear, Qt::KeypadModifier), VK_CLEAR);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Space, Qt::NoModifier), VK_SPACE);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_F3, Qt::NoModifier), VK_F3);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_N, Qt::ControlModifier), std::uintptr_t{'N'});
}

// What the procedure of the dialog below saw.
struct DialogLog {
    std::vector<int> commands;
    int checkAfterClick = -1;
    std::string editText;
};
DialogLog dialogLog;

std::intptr_t TestDlgProc(Window* dialog, Msg message, WPARAM wParam, LPARAM lParam) {
    if (message == Msg::InitDialog) {
        dialog->GetDlgItem(1003)->SetWindowText("typed");
        auto* qtDialog = dynamic_cast<QtDialog*>(dialog);
        // The player: ticks the box, then presses Esc (lParam 1) or OK (lParam 0).
        QTimer::singleShot(0, qtDialog, [qtDialog, lParam] {
            qtDialog->findChild<QCheckBox*>()->click();
            if (lParam == 1)
                qtDialog->reject();
            else
                qtDialog->SendMessage(Msg::Command, IDOK, 0);
        });
        return 1;
    }
    if (message == Msg::Command) {
        const int id = LoWord(wParam);
        dialogLog.commands.push_back(id);
        if (id == 1002) dialogLog.checkAfterClick = dialog->GetDlgItem(1002)->GetCheck();
        if (id == IDOK || id == IDCANCEL) {
            dialogLog.editText = dialog->GetDlgItem(1003)->GetWindowText();
            dialog->EndDialog(id);
        }
        return 1;
    }
    return 0;
}

// A dialog from its template: controls where the dialog units put them, identifiers,
// commands from clicks, Esc as IDCANCEL, and the result of EndDialog.
TEST(QtDialogTest, BuildsFromItsTemplateAndDeliversCommands) {
    DialogTemplate dialog;
    dialog.title = "Test";
    dialog.place = {0, 0, 186, 60};
    using Kind = DialogControl::Kind;
    DialogControl check{Kind::CheckBox, 1002, "&Tick", {7, 12, 100, 22}};
    check.tabStop = true;
    DialogControl edit{Kind::Edit, 1003, "", {7, 26, 100, 40}};
    DialogControl ok{Kind::DefaultPushButton, IDOK, "OK", {120, 40, 170, 54}};
    dialog.controls = {check, edit, ok};

    for (const LPARAM player : {LPARAM{0}, LPARAM{1}}) {
        dialogLog = {};
        QtDialog window(dialog, nullptr, nullptr, TestDlgProc);
        const std::intptr_t result = window.Run(player);
        EXPECT_EQ(result, player == 0 ? IDOK : IDCANCEL);
        ASSERT_GE(dialogLog.commands.size(), 2u);
        EXPECT_EQ(dialogLog.commands.front(), 1002);
        EXPECT_EQ(dialogLog.checkAfterClick, 1) << "an automatic check box ticks itself before it reports";
        EXPECT_EQ(dialogLog.editText, "typed");
        EXPECT_EQ(window.size(), QSize(QtDialog::UnitsToPixelsX(186), QtDialog::UnitsToPixelsY(60)));
        const QWidget* box = window.findChild<QCheckBox*>();
        EXPECT_EQ(box->geometry(), QRect(QtDialog::UnitsToPixelsX(7), QtDialog::UnitsToPixelsY(12),
                                         QtDialog::UnitsToPixelsX(93), QtDialog::UnitsToPixelsY(10)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
