#include "platform/qt/MeasuringProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "platform/qt/BoardWidget.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtMainWindow.h"

namespace platform {

namespace {

constexpr std::uintptr_t kFallTimer = 1;
// About, the high-score list, the options and the welcome, as the menu gives them.
constexpr int kDialogCommands[] = {104, 32776, 32774, 32777};
// Time for the window manager to settle the focus between two dialogs.
constexpr int kPauseBetweenDialogsMs = 150;

long long Nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

// The dialog's controls, a letter for each kind, so that a bare dialog of the same controls can be built.
std::string ControlKinds(const QWidget* dialog) {
    std::string kinds;
    for (const QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<const QLineEdit*>(child))
            kinds += 'E';
        else if (qobject_cast<const QPushButton*>(child))
            kinds += 'B';
        else if (qobject_cast<const QCheckBox*>(child))
            kinds += 'C';
        else if (qobject_cast<const QRadioButton*>(child))
            kinds += 'R';
        else if (qobject_cast<const QLabel*>(child))
            kinds += 'L';
        else
            kinds += 'F';
    }
    return kinds;
}

}  // namespace

std::unique_ptr<MeasuringProbe> MeasuringProbe::FromEnvironment() {
    const char* startup = std::getenv("DECKFALL_TRACE_STARTUP");
    const bool timers = std::getenv("DECKFALL_TRACE_TIMERS") != nullptr;
    const char* dialogs = std::getenv("DECKFALL_TRACE_DIALOGS");
    const int dialogRounds = dialogs ? std::max(1, std::atoi(dialogs)) : 0;
    if (!startup && !timers && !dialogRounds) return nullptr;
    std::unique_ptr<MeasuringProbe> probe(new MeasuringProbe(
        startup != nullptr, startup && std::string(startup) == "exit", timers, dialogRounds));
    qApp->installEventFilter(probe.get());
    return probe;
}

MeasuringProbe::MeasuringProbe(bool startup, bool exitAtFirstFrame, bool timers, int dialogRounds)
    : startup_(startup), exitAtFirstFrame_(exitAtFirstFrame), timers_(timers), dialogRounds_(dialogRounds) {}

MeasuringProbe::~MeasuringProbe() {
    if (qApp) qApp->removeEventFilter(this);
}

bool MeasuringProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        auto* board = qobject_cast<BoardWidget*>(watched);
        if (board && (startup_ || dialogRounds_) && !framePainted_ && board->isVisible()) {
            framePainted_ = true;
            mainWindow_ = qobject_cast<QtMainWindow*>(board->window());
            // Once the paint has returned, the frame is on its way to the screen.
            if (startup_) QTimer::singleShot(0, this, [this] { ReportFirstFrame(); });
            if (dialogRounds_)
                QTimer::singleShot(kPauseBetweenDialogsMs, this, [this] { NextDialogCommand(); });
        }
        auto* dialog = qobject_cast<QtDialog*>(watched);
        if (dialog && dialogCommand_ != 0) {
            const QPointer<QtDialog> painted(dialog);
            QTimer::singleShot(0, this, [this, painted] { ReportDialogFrame(painted); });
        }
        if (board && inFallTick_)
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                tickPixels_ += static_cast<long long>(rect.width()) * rect.height();
    } else if (event->type() == QEvent::Timer && timers_ && !inFallTick_) {
        auto* window = qobject_cast<QtMainWindow*>(watched);
        if (window && window->GameTimer(static_cast<QTimerEvent*>(event)->timerId()) == kFallTimer) {
            MeasureFallTick(window, event);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MeasuringProbe::MeasureFallTick(QObject* window, QEvent* event) {
    // Delivered from here, so that the tick's whole handling lies between the two readings.
    const long long started = Nanoseconds(CLOCK_THREAD_CPUTIME_ID);
    inFallTick_ = true;
    QCoreApplication::sendEvent(window, event);
    inFallTick_ = false;
    tickCpuNs_ += Nanoseconds(CLOCK_THREAD_CPUTIME_ID) - started;
    ++fallTicks_;
    // Reported as the tick ends, not by a timer of its own: a paused game must not wake up.
    std::fprintf(stderr, "timers fall_ticks=%lld tick_pixels=%lld tick_cpu_ns=%lld\n", fallTicks_,
                 tickPixels_, tickCpuNs_);
}

void MeasuringProbe::NextDialogCommand() {
    if (!mainWindow_) return;
    if (dialogCommandsGiven_ == dialogRounds_ * static_cast<int>(std::size(kDialogCommands))) {
        std::fprintf(stderr, "dialogs done\n");
        std::_Exit(0);
    }
    dialogCommand_ =
        kDialogCommands[static_cast<std::size_t>(dialogCommandsGiven_) % std::size(kDialogCommands)];
    ++dialogCommandsGiven_;
    dialogCommandNs_ = Nanoseconds(CLOCK_MONOTONIC);
    // Returns once the dialog has been closed again.
    mainWindow_->SendMessage(Msg::Command, static_cast<WPARAM>(dialogCommand_), 0);
    QTimer::singleShot(kPauseBetweenDialogsMs, this, [this] { NextDialogCommand(); });
}

void MeasuringProbe::ReportDialogFrame(QWidget* dialog) {
    if (!dialog || dialogCommand_ == 0) return;
    const long long paintNs = Nanoseconds(CLOCK_MONOTONIC) - dialogCommandNs_;
    std::fprintf(stderr, "dialog command=%d controls=%s paint_ns=%lld\n", dialogCommand_,
                 ControlKinds(dialog).c_str(), paintNs);
    dialogCommand_ = 0;
    // As Esc closes it: the procedure ends it with IDCANCEL.
    static_cast<QtDialog*>(dialog)->reject();
}

void MeasuringProbe::ReportFirstFrame() const {
    std::fprintf(stderr, "first-frame monotonic_ns=%lld rss_kib=%ld\n", Nanoseconds(CLOCK_MONOTONIC),
                 ResidentKiB());
    if (exitAtFirstFrame_) std::_Exit(0);
}

}  // namespace platform
