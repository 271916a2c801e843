// Signals and the session's end reach the main window as its close would, from the main
// loop only: boxes running nested loops are closed first, and the window goes only once
// the code that opened them has gone on.

#include "platform/qt/TerminationBridge.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessWindow.h"

namespace {

using namespace platform;
using Journal = std::vector<std::string>;

Journal journal;

void Ask(const std::string& name) {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    journal.push_back(name + (box.exec() == QMessageBox::Yes ? " yes" : " no"));
}

LRESULT Procedure(Window* window, Msg message, WPARAM wParam, LPARAM lParam) {
    if (message == Msg::Close) journal.push_back("Close");
    if (message == Msg::EndSession) journal.push_back("EndSession " + std::to_string(wParam));
    if (message == Msg::Destroy) {
        journal.push_back("Destroy");
        QCoreApplication::exit(0);  // PostQuitMessage
    }
    if (message == Msg::Command) {  // as a game's end: two boxes, then the game is used again
        Ask("first");
        Ask("second");
        journal.push_back("game used");
    }
    return window->DefWindowProc(message, wParam, lParam);
}

class TerminationBridgeTest : public ::testing::Test {
protected:
    // A new window, then the main loop, which does first from inside; false if it never ended.
    bool Run(const std::function<void()>& first) {
        journal.clear();
        window.emplace(desktop, Procedure, "Deckfall", Rect{0, 0, 640, 480});
        QTimer::singleShot(0, first);
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(10000);
        inMainLoop = true;
        const int code = QApplication::exec();
        inMainLoop = false;
        return code == 0;
    }

    VirtualClock clock;
    HeadlessDesktop desktop{clock};
    std::optional<HeadlessWindow> window;
    bool inMainLoop = false;
    TerminationBridge bridge{
        [this]() -> Window* { return window && !window->IsDestroyed() ? &*window : nullptr; },
        [this] { return inMainLoop; }};
};

TEST_F(TerminationBridgeTest, SignalsCloseTheWindowOnceNestedBoxesHaveReturned) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_TRUE(Run([signalNumber] { std::raise(signalNumber); }));
        EXPECT_EQ(journal, (Journal{"Close", "Destroy"})) << signalNumber;
    }
    // Raised inside the first box's loop: both boxes answer as Esc would, the game goes on.
    ASSERT_TRUE(Run([this] {
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        window->SendMessage(Msg::Command, 1, 0);
    }));
    EXPECT_EQ(journal, (Journal{"first no", "second no", "game used", "Close", "Destroy"}));
}

// Qt answers the session manager's end with a Quit event, which would close every window
// inside whatever loop runs; another's exit cannot wait, so it only saves.
TEST_F(TerminationBridgeTest, TheSessionsEndSendsEndSession) {
    ASSERT_TRUE(Run([] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(qApp, &quit);
    }));
    EXPECT_EQ(journal, (Journal{"EndSession 1", "Destroy"}));

    Run([] { QCoreApplication::exit(0); });
    EXPECT_EQ(journal, (Journal{"EndSession 1"}));
    EXPECT_FALSE(window->IsDestroyed());
}

}  // namespace
