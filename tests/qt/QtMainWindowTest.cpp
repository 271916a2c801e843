// The Qt host's main window on the offscreen platform: a resize under a held context,
// the focus and the menus turned into messages (keyboard menu mode included), the
// accelerator table and the saved placement.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <optional>
#include <tuple>

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

// How often the message was sent, with this wParam if one is given.
int Count(Msg message, std::optional<WPARAM> wParam = std::nullopt) {
    return static_cast<int>(std::count_if(sent.begin(), sent.end(), [&](const Sent& s) {
        return s.message == message && (!wParam || s.wParam == *wParam);
    }));
}
int MenuCloses() {
    return Count(Msg::MenuSelect, MakeWParam(0, 0xFFFF));
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
    for (const QEvent::Type type : {QEvent::WindowDeactivate, QEvent::WindowActivate}) {
        QEvent event(type);
        QApplication::sendEvent(window.get(), &event);
    }
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(std::pair(sent[0].message, sent[1].message), std::pair(Msg::KillFocus, Msg::SetFocus));
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
    const std::vector<Accelerator> table = {{Accelerator::Kind::VirtualKey, 'N', true, false, 32771},
                                            {Accelerator::Kind::Character, '?', false, true, 104}};
    const std::tuple<int, Qt::KeyboardModifiers, const char*, bool> keys[] = {
        {Qt::Key_N, Qt::ControlModifier, "", true},
        {Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier, "?", true},
        {Qt::Key_N, Qt::NoModifier, "n", false},
        {Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier, "", false}};
    for (const auto& [key, modifiers, text, taken] : keys)
        EXPECT_EQ(window->TranslateAccelerator(QKeyEvent(QEvent::KeyPress, key, modifiers, text), table),
                  taken);
    ASSERT_EQ(Count(Msg::Command), 2);
    EXPECT_EQ(sent[0].wParam, MakeWParam(32771, 1)) << "from an accelerator";
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
