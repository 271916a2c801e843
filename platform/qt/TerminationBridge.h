#pragma once
// The desktop session's ways of ending a program, carried out as closing the main window.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

class Window;

// SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C, a closed terminal) end the program as
// the close box does: Close to the window procedure, which saves the options and the
// placement and lets the window be destroyed, and exit code 0. The session manager's end
// of the session sends EndSession (saving the same) and then destroys the window.
//
// The signal handler only writes to a pipe; its reading end wakes the main thread. There,
// the window may be destroyed only from the main loop itself: a message box or dialog
// running a nested loop was opened by game code that goes on to use the game once it
// returns. So modal boxes, dialogs and menus are closed first, each as its Esc or close box
// would (No, Cancel, OK), and so are any the game opens next, until the nested loops have
// returned to the main loop; the window is closed from there.
class TerminationBridge final : public QObject {
    Q_OBJECT
public:
    // mainWindow: the main window while it stands, null before it is made and once it is
    // destroyed. inMessageLoop: the program's main loop is running.
    TerminationBridge(std::function<Window*()> mainWindow, std::function<bool()> inMessageLoop);
    ~TerminationBridge() override;
    TerminationBridge(const TerminationBridge&) = delete;
    TerminationBridge& operator=(const TerminationBridge&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Ending { None, Close, EndSession };

    void OnSignal();
    void Request(Ending ending);
    void Carry();
    void OnAboutToQuit();

    std::function<Window*()> mainWindow_;
    std::function<bool()> inMessageLoop_;
    std::array<int, 2> pipe_{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer retry_;
    Ending pending_ = Ending::None;
    // The modal box last asked to close, so that one that will not is not asked again and again.
    QPointer<QWidget> asked_;
    std::array<struct sigaction, 3> previous_{};
};

}  // namespace platform
