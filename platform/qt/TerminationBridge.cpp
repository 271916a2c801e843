#include "platform/qt/TerminationBridge.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <cassert>
#include <cerrno>
#include <utility>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

#include "platform/Messages.h"
#include "platform/Window.h"

namespace platform {

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};
// How often a pending end looks again whether the nested loops have returned.
constexpr int kRetryMs = 10;

// The pipe's writing end, for the signal handler; -1 while no bridge stands.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free atomic");

void OnTerminationSignal(int signalNumber) {
    // Only what is safe in a signal handler: one write, with errno as it was.
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = write(signalPipe.load(), &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationBridge::TerminationBridge(std::function<Window*()> mainWindow, std::function<bool()> inMessageLoop)
    : mainWindow_(std::move(mainWindow)), inMessageLoop_(std::move(inMessageLoop)) {
    assert(signalPipe.load() == -1 && "one bridge at a time");
    retry_.setInterval(kRetryMs);
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &TerminationBridge::Carry);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TerminationBridge::OnAboutToQuit);
#if QT_CONFIG(sessionmanager)
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { Request(Ending::EndSession); });
#endif
    // Qt's own answer to the session manager's end (a Quit event: close every window, then
    // leave the loop) would run inside whatever loop is running.
    qApp->installEventFilter(this);

    if (pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationBridge::OnSignal);
    signalPipe.store(pipe_[1]);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous_[i]);
}

TerminationBridge::~TerminationBridge() {
    if (notifier_) {
        for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
        signalPipe.store(-1);
        notifier_.reset();
    }
    for (int end : pipe_)
        if (end != -1) close(end);
}

bool TerminationBridge::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Quit && watched == qApp && mainWindow_()) {
        Request(Ending::EndSession);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TerminationBridge::OnSignal() {
    unsigned char bytes[16];
    while (read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    Request(Ending::Close);
}

void TerminationBridge::Request(Ending ending) {
    if (pending_ != Ending::None) return;
    pending_ = ending;
    Carry();
}

void TerminationBridge::Carry() {
    if (pending_ == Ending::None) return;
    // The main loop's own level, with no loop nested in it and no box or menu about to start one.
    const bool atMainLoop = inMessageLoop_() && QThread::currentThread()->loopLevel() == 1 &&
                            !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
    if (!atMainLoop) {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        } else if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != asked_) {
            asked_ = modal;
            modal->close();
        }
        retry_.start();
        return;
    }
    const Ending ending = std::exchange(pending_, Ending::None);
    Window* window = mainWindow_();
    if (!window) return;
    if (ending == Ending::Close) {
        window->SendMessage(Msg::Close, 0, 0);
        return;
    }
    window->SendMessage(Msg::EndSession, 1, 0);
    if (Window* standing = mainWindow_()) standing->DestroyWindow();
}

void TerminationBridge::OnAboutToQuit() {
    // The loops are ending by someone else's call, nested ones included: there is no waiting
    // for them. Saving is safe anywhere; the window goes with the loop.
    if (Window* window = mainWindow_()) window->SendMessage(Msg::EndSession, 1, 0);
}

}  // namespace platform
