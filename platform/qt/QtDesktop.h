#pragma once
// The windowing system of the Qt host: the main window, the message loop with
// its accelerators, message boxes and the screen.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Desktop.h"
#include "platform/qt/QtMainWindow.h"

namespace platform {

class QtDesktop final : public QObject, public Desktop {
    Q_OBJECT
public:
    QtDesktop();
    ~QtDesktop() override;

    int RegisterWindowClass(const WindowClass& windowClass) override;
    Window* CreateMainWindow(std::string_view className, std::string_view title, const Rect& outer) override;
    int RunMessageLoop(const std::vector<Accelerator>& accelerators) override;
    void PostQuitMessage(int exitCode) override;
    int MessageBox(Window* owner, std::string_view text, std::string_view caption, unsigned style) override;
    int GetSystemMetric(SystemMetric metric) const override;
    std::unique_ptr<Bitmap> CreateBitmap(const Image& picture) override;
    std::intptr_t DialogBoxParam(const DialogTemplate& dialog, Window* owner, DialogProc procedure,
                                 LPARAM parameter) override;

    // Runs work once the main window's first frame is out, so that it does not delay it.
    void AfterFirstFrame(std::function<void()> work);
    // The main window until it is destroyed: null before it is made and after.
    Window* StandingMainWindow() const;
    bool InMessageLoop() const { return inMessageLoop_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFirstFrame();

    std::vector<WindowClass> classes_;
    std::unique_ptr<QtMainWindow> mainWindow_;
    std::vector<Accelerator> accelerators_;
    std::vector<std::function<void()>> afterFirstFrame_;
    bool quitPosted_ = false;
    bool inMessageLoop_ = false;
    int quitCode_ = 0;
};

}  // namespace platform
