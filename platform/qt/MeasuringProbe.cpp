#include "platform/qt/MeasuringProbe.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "platform/qt/BoardWidget.h"
#include "platform/qt/QtMainWindow.h"

namespace platform {

namespace {

constexpr std::uintptr_t kFallTimer = 1;

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

}  // namespace

std::unique_ptr<MeasuringProbe> MeasuringProbe::FromEnvironment() {
    const char* startup = std::getenv("DECKFALL_TRACE_STARTUP");
    const bool timers = std::getenv("DECKFALL_TRACE_TIMERS") != nullptr;
    if (!startup && !timers) return nullptr;
    std::unique_ptr<MeasuringProbe> probe(
        new MeasuringProbe(startup != nullptr, startup && std::string(startup) == "exit", timers));
    qApp->installEventFilter(probe.get());
    return probe;
}

MeasuringProbe::MeasuringProbe(bool startup, bool exitAtFirstFrame, bool timers)
    : startup_(startup), exitAtFirstFrame_(exitAtFirstFrame), timers_(timers) {}

MeasuringProbe::~MeasuringProbe() {
    if (qApp) qApp->removeEventFilter(this);
}

bool MeasuringProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        auto* board = qobject_cast<BoardWidget*>(watched);
        if (board && startup_ && !framePainted_ && board->isVisible()) {
            framePainted_ = true;
            // Once the paint has returned, the frame is on its way to the screen.
            QTimer::singleShot(0, this, [this] { ReportFirstFrame(); });
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

void MeasuringProbe::ReportFirstFrame() const {
    std::fprintf(stderr, "first-frame monotonic_ns=%lld rss_kib=%ld\n", Nanoseconds(CLOCK_MONOTONIC),
                 ResidentKiB());
    if (exitAtFirstFrame_) std::_Exit(0);
}

}  // namespace platform
