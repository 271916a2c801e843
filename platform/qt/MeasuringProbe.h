#pragma once
// What bench/run reads from the running program, and only when its environment asks:
// with DECKFALL_TRACE_STARTUP the moment the first frame is out and the resident
// memory then, on stderr (set to "exit", the program ends there); with
// DECKFALL_TRACE_TIMERS, after every fall tick, the ticks so far with the pixels they
// pushed to the screen and the CPU time they took; with DECKFALL_TRACE_DIALOGS set
// to a number of rounds, once the first frame is out, it gives the four dialog
// commands of the menu in turn that many times, as a player's click on a menu item
// gives them, and reports for each the time from the command to the dialog's first
// painted frame with the kinds of its controls, then closes the dialog as Esc does
// and ends the program after the last. It watches Qt's events from the outside; the host knows nothing of it.

#include <QObject>
#include <QPointer>
#include <memory>

namespace platform {

class QtMainWindow;

class MeasuringProbe final : public QObject {
public:
    // Installed on the application when the environment asks for a measurement; null otherwise.
    static std::unique_ptr<MeasuringProbe> FromEnvironment();
    ~MeasuringProbe() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MeasuringProbe(bool startup, bool exitAtFirstFrame, bool timers, int dialogRounds);
    void ReportFirstFrame() const;
    void MeasureFallTick(QObject* window, QEvent* event);
    void NextDialogCommand();
    void ReportDialogFrame(QWidget* dialog);

    const bool startup_;
    const bool exitAtFirstFrame_;
    const bool timers_;
    const int dialogRounds_;
    bool framePainted_ = false;
    QPointer<QtMainWindow> mainWindow_;
    int dialogCommandsGiven_ = 0;
    int dialogCommand_ = 0;  // waiting for the first frame of its dialog; 0 when none
    long long dialogCommandNs_ = 0;
    bool inFallTick_ = false;
    long long fallTicks_ = 0;
    long long tickPixels_ = 0;  // logical pixels the fall ticks pushed to the screen
    long long tickCpuNs_ = 0;   // thread CPU time the fall ticks took
};

}  // namespace platform
