// SIGTERM, SIGINT, SIGHUP and the session manager's end reach the main window as its
// close would, from the main loop only: message boxes running nested loops are closed
// first, and the window is destroyed only once the code that opened them has gone on.

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
#include "platform/headless/VirtualClock.h"

namespace {

using namespace platform;

std::vector<std::string> journal;

// Asks Yes or No, Esc answering No, and writes down the answer.
void Ask(const char* name) {
    QMessageBox box;
    box.setText(name);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    journal.push_back(std::string(name) + (box.exec() == QMessageBox::Yes ? " yes" : " no"));
}

LRESULT Procedure(Window* window, Msg message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case Msg::Close:
            journal.push_back("Close");
            break;
        case Msg::EndSession:
            journal.push_back("EndSession " + std::to_string(wParam));
            break;
        case Msg::Destroy:
            journal.push_back("Destroy");
            QCoreApplication::exit(0);  // PostQuitMessage
            break;
        case Msg::Command:
            // As the end of a game does: a box, then another, then the game is used again.
            Ask("first box");
            Ask("second box");
            journal.push_back("game used");
            break;
        default:
            break;
    }
    return window->DefWindowProc(message, wParam, lParam);
}

class TerminationBridgeTest : public ::testing::Test {
protected:
    void NewWindow() {
        journal.clear();
        window.emplace(desktop, Procedure, "Deckfall", Rect{0, 0, 640, 480});
    }

    // Runs the main loop, first doing what is given from inside the loop; false if it was
    // still running after a long while.
    bool RunMainLoop(const std::function<void()>& first) {
        if (!window || window->IsDestroyed()) NewWindow();
        QTimer::singleShot(0, first);
        bool gaveUp = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&gaveUp] {
            gaveUp = true;
            QCoreApplication::exit(1);
        });
        guard.start(10000);
        inMainLoop = true;
        QApplication::exec();
        inMainLoop = false;
        return !gaveUp;
    }

    VirtualClock clock;
    HeadlessDesktop desktop{clock};
    std::optional<HeadlessWindow> window;
    bool inMainLoop = false;
    TerminationBridge bridge{
        [this]() -> Window* { return window && !window->IsDestroyed() ? &*window : nullptr; },
        [this] { return inMainLoop; }};
};

TEST_F(TerminationBridgeTest, EachSignalClosesTheWindowFromTheMainLoop) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        ASSERT_TRUE(RunMainLoop([signalNumber] { std::raise(signalNumber); }));
        EXPECT_EQ(journal, (std::vector<std::string>{"Close", "Destroy"}));
    }
}

// The boxes answer as Esc would; the window goes only after the game has used its state again.
TEST_F(TerminationBridgeTest, NestedBoxesCloseFirstAndTheWindowClosesOnceTheyHaveReturned) {
    ASSERT_TRUE(RunMainLoop([this] {
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });  // fires inside the first box's loop
        window->SendMessage(Msg::Command, 1, 0);
    }));
    EXPECT_EQ(journal,
              (std::vector<std::string>{"first box no", "second box no", "game used", "Close", "Destroy"}));
}

// Before the main loop runs (the game still starting, perhaps in a box of its own), nothing is
// closed yet; the window closes as soon as the loop runs.
TEST_F(TerminationBridgeTest, ASignalBeforeTheMainLoopWaitsForIt) {
    NewWindow();
    std::raise(SIGINT);
    QCoreApplication::processEvents();
    EXPECT_TRUE(journal.empty());
    ASSERT_TRUE(RunMainLoop([] {}));
    EXPECT_EQ(journal, (std::vector<std::string>{"Close", "Destroy"}));
}

// The session manager's end arrives as Qt's Quit event, which would close every window
// inside whatever loop runs: it becomes EndSession, then the window's destruction.
TEST_F(TerminationBridgeTest, TheEndOfTheSessionSendsEndSessionAndDestroysTheWindow) {
    ASSERT_TRUE(RunMainLoop([] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(qApp, &quit);
    }));
    EXPECT_EQ(journal, (std::vector<std::string>{"EndSession 1", "Destroy"}));
}

// Leaving the loop on someone else's call cannot wait for nested loops: what closing saves
// is saved at once, and nothing is destroyed under running code.
TEST_F(TerminationBridgeTest, LeavingTheLoopOtherwiseStillSaves) {
    RunMainLoop([] { QCoreApplication::exit(0); });
    EXPECT_EQ(journal, (std::vector<std::string>{"EndSession 1"}));
    EXPECT_FALSE(window->IsDestroyed());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // As the program has it: the last box closing does not end the application.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
