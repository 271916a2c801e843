#pragma once
// What bench/run reads from the running program, and only when its environment asks:
// with DECKFALL_TRACE_STARTUP the moment the first frame is out and the resident
// memory then, on stderr (set to "exit", the program ends there); with
// DECKFALL_TRACE_TIMERS, after every fall tick, the ticks so far with the pixels they
// pushed to the screen and the CPU time they took. It watches Qt's events from the
// outside; the host knows nothing of it.

#include <QObject>
#include <memory>

namespace platform {

class MeasuringProbe final : public QObject {
public:
    // Installed on the application when the environment asks for a measurement; null otherwise.
    static std::unique_ptr<MeasuringProbe> FromEnvironment();
    ~MeasuringProbe() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MeasuringProbe(bool startup, bool exitAtFirstFrame, bool timers);
    void ReportFirstFrame() const;
    void MeasureFallTick(QObject* window, QEvent* event);

    const bool startup_;
    const bool exitAtFirstFrame_;
    const bool timers_;
    bool framePainted_ = false;
    bool inFallTick_ = false;
    long long fallTicks_ = 0;
    long long tickPixels_ = 0;  // logical pixels the fall ticks pushed to the screen
    long long tickCpuNs_ = 0;   // thread CPU time the fall ticks took
};

}  // namespace platform
