// The Qt host's main window on the offscreen platform: what it pushes and exposes,
// a resize under a held context, the focus and the menus turned into messages
// (keyboard menu mode included), the accelerator table and the saved placement.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "platform/qt/QtMainWindow.h"

namespace {

using namespace platform;

struct Sent {
    Msg message;
    WPARAM wParam;
};
std::vector<Sent> sent;

LRESULT RecordingProc(Window* window, Msg message, WPARAM wParam, LPARAM lParam) {
    sent.push_back({message, wParam});
    return message == Msg::Close ? window->DefWindowProc(message, wParam, lParam) : 0;
}

int Count(Msg message) {
    return static_cast<int>(
        std::count_if(sent.begin(), sent.end(), [&](const Sent& s) { return s.message == message; }));
}
int MenuCloses() {
    return static_cast<int>(std::count_if(sent.begin(), sent.end(), [](const Sent& s) {
        return s.message == Msg::MenuSelect && s.wParam == MakeWParam(0, 0xFFFF);
    }));
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void SendKey(QWidget* to, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(type, key, modifiers);
    QApplication::sendEvent(to, &event);
}

class QtMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        WindowClass windowClass;
        windowClass.menuBar = {{"&Game", {{"&New\tF2", 32771}, {"", 0}, {"E&xit", 105}}},
                               {"&Help", {{"&About", 104}}}};
        window = std::make_unique<QtMainWindow>(RecordingProc, windowClass, "Deckfall", Rect{0, 0, 640, 480});
        window->show();
        window->activateWindow();
        window->Board().setFocus();
        Settle();
        sent.clear();
    }
    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        window.reset();
        Settle();
    }

    QImage Screen() { return window->Board().grab().toImage(); }

    std::unique_ptr<QtMainWindow> window;
};

// What a released context drew reaches the screen; an expose shows the back buffer as it is.
TEST_F(QtMainWindowTest, PushesAndExposesShowTheBackBuffer) {
    {
        auto dc = window->GetDC();
        dc->FillRect({10, 20, 30, 40}, Rgb(0xFF, 0, 0));
    }
    EXPECT_EQ(At(Screen(), 15, 25), 0xFF0000u);
    EXPECT_EQ(At(Screen(), 35, 25), 0x000000u);
    window->Board().BackBuffer()->Image().setPixel(50, 50, 0x00FF00);
    window->Board().update();
    EXPECT_EQ(At(Screen(), 50, 50), 0x00FF00u) << "an expose copies the buffer, drawing nothing of its own";
}

// Land holds its context through a collapse and while a box is open; the player may resize
// the window meanwhile. The context goes on drawing, into the new back buffer.
TEST_F(QtMainWindowTest, AResizeUnderAHeldContextDrawsOnIntoTheNewBuffer) {
    auto dc = window->GetDC();
    dc->FillRect({0, 0, 10, 10}, Rgb(1, 2, 3));
    window->resize(window->width() + 120, window->height() + 90);
    Settle();
    EXPECT_GE(Count(Msg::EraseBackground), 1) << "the new buffer is painted whole";
    const QImage& buffer = window->Board().BackBuffer()->Image();
    ASSERT_EQ(buffer.size(), window->Board().size());
    dc->FillRect({700, 500, 710, 510}, Rgb(0, 0xFF, 0));
    EXPECT_EQ(At(buffer, 705, 505), 0x00FF00u);
    dc.reset();
    EXPECT_EQ(At(Screen(), 705, 505), 0x00FF00u);
}

TEST_F(QtMainWindowTest, FocusChangesBecomeFocusMessages) {
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window.get(), &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].message, Msg::KillFocus);
    EXPECT_EQ(sent[1].message, Msg::SetFocus);
}

// Opening a menu and closing it, moving between menus on the way, is one InitMenu and one close.
TEST_F(QtMainWindowTest, AMenuOpenedAndClosedIsOneInitMenuAndOneClose) {
    QMenuBar* bar = window->menuBar();
    bar->setActiveAction(bar->actions().value(0));
    Settle();
    bar->setActiveAction(bar->actions().value(1));
    Settle();
    EXPECT_EQ(Count(Msg::InitMenu), 1);
    EXPECT_EQ(MenuCloses(), 0);
    QApplication::activePopupWidget()->close();
    Settle();
    EXPECT_EQ(MenuCloses(), 1);
    EXPECT_EQ(Count(Msg::KeyDown), 0);
}

// Tapping Alt enters menu mode without opening a menu: it counts as an open menu until Esc.
TEST_F(QtMainWindowTest, KeyboardMenuModeCountsAsAnOpenMenu) {
    SendKey(&window->Board(), QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    SendKey(&window->Board(), QEvent::KeyRelease, Qt::Key_Alt);
    Settle();
    ASSERT_TRUE(window->menuBar()->hasFocus());
    EXPECT_EQ(Count(Msg::InitMenu), 1);
    EXPECT_EQ(MenuCloses(), 0);
    SendKey(window->menuBar(), QEvent::KeyPress, Qt::Key_Escape);
    Settle();
    EXPECT_FALSE(window->menuBar()->hasFocus());
    EXPECT_EQ(MenuCloses(), 1);
    EXPECT_EQ(Count(Msg::KeyDown), 0);
}

// F10 is the menu's key, as on the desktop the game was made for: the game never sees it.
TEST_F(QtMainWindowTest, F10OpensTheMenu) {
    SendKey(&window->Board(), QEvent::KeyPress, Qt::Key_F10);
    Settle();
    EXPECT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(Count(Msg::InitMenu), 1);
    EXPECT_EQ(Count(Msg::KeyDown), 0);
}

TEST_F(QtMainWindowTest, AcceleratorsBecomeCommandsBeforeKeyDown) {
    const std::vector<Accelerator> table = {
        {Accelerator::Kind::VirtualKey, 'N', true, false, 32771},
        {Accelerator::Kind::Character, '?', false, true, 104},
    };
    EXPECT_TRUE(
        window->TranslateAccelerator(QKeyEvent(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier), table));
    EXPECT_TRUE(window->TranslateAccelerator(
        QKeyEvent(QEvent::KeyPress, Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier, "?"), table));
    EXPECT_FALSE(
        window->TranslateAccelerator(QKeyEvent(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, "n"), table));
    EXPECT_FALSE(window->TranslateAccelerator(
        QKeyEvent(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier), table));
    ASSERT_EQ(Count(Msg::Command), 2);
    EXPECT_EQ(LoWord(sent[0].wParam), 32771);
    EXPECT_EQ(HiWord(sent[0].wParam), 1) << "from an accelerator";
    EXPECT_EQ(LoWord(sent[1].wParam), 104);
}

// A window minimised from the maximised state is minimised: it saves 0, with its normal rectangle.
TEST_F(QtMainWindowTest, MinimisedFromMaximisedIsMinimised) {
    window->showMaximized();
    Settle();
    EXPECT_EQ(window->GetWindowPlacement().showCommand, ShowCommand::Maximized);
    window->showMinimized();
    Settle();
    EXPECT_EQ(window->GetWindowPlacement().showCommand, ShowCommand::Minimized);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
