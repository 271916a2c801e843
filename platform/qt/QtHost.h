#pragma once
// The Qt application the program runs in, with its desktop. Keeps Qt out of the
// program's entry point.

#include <functional>
#include <memory>

#include "platform/Desktop.h"

class QApplication;

namespace platform {

class QtDesktop;
class MeasuringProbe;
class TerminationBridge;

class QtHost {
public:
    // False, after one line on stderr saying how to run without one, when there is no display.
    static bool CheckDisplay();

    QtHost(int& argc, char** argv);
    ~QtHost();
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    Desktop& GetDesktop();
    // Runs work once the main window's first frame is out, so that it does not delay it.
    void AfterFirstFrame(std::function<void()> work);
    // Runs work on the main thread, from the message loop, whichever thread asks.
    void RunOnMainThread(std::function<void()> work);

private:
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<QtDesktop> desktop_;
    std::unique_ptr<MeasuringProbe> probe_;
    std::unique_ptr<TerminationBridge> termination_;
};

}  // namespace platform
