#pragma once
// The windowing system of the headless platform. Posted messages wait in one
// queue; timers fall due on the virtual clock; message boxes are answered from
// a script and recorded.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/VirtualClock.h"

namespace platform {

struct DialogRecord {
    int templateId = 0;
    std::string title;
    Window* owner = nullptr;
    Rect outer;  // where the dialog stood when it ended
    std::intptr_t result = 0;
};

struct MessageBoxRecord {
    Window* owner = nullptr;
    std::string text;
    std::string caption;
    unsigned style = 0;
    int answer = 0;
};

class HeadlessDesktop final : public Desktop {
public:
    explicit HeadlessDesktop(VirtualClock& clock) : clock_(clock) {}
    ~HeadlessDesktop() override;

    int RegisterWindowClass(const WindowClass& windowClass) override;
    Window* CreateMainWindow(std::string_view className, std::string_view title, const Rect& outer) override;
    // Runs until WM_QUIT: posted messages first, then the next timer to fall due,
    // advancing the virtual clock to it. Returns -1 if nothing is left to happen.
    int RunMessageLoop(const std::vector<Accelerator>& accelerators) override;
    void PostQuitMessage(int exitCode) override;
    int MessageBox(Window* owner, std::string_view text, std::string_view caption, unsigned style) override;
    int GetSystemMetric(SystemMetric metric) const override;
    // Builds the dialog (dialog units are 2 × 2 pixels here), sends WM_INITDIALOG, calls
    // dialogHandler, then runs posted messages and timers on the virtual clock until the
    // dialog ends. A dialog that would wait forever is answered as Esc answers it (IDCANCEL).
    std::intptr_t DialogBoxParam(const DialogTemplate& dialog, Window* owner, DialogProc procedure,
                                 LPARAM parameter) override;
    std::unique_ptr<Bitmap> CreateBitmap(const Image& picture) override {
        return std::make_unique<RasterBitmap>(picture);
    }

    // Message boxes: scripted answers are used in order; without one, a box is
    // answered IDOK, or IDNO when it asks yes or no. A handler, when set, answers
    // instead (it may pump messages, as a nested loop would).
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    std::function<int(const MessageBoxRecord&)> messageBoxHandler;
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    // Runs once a dialog is initialised: a test's player, clicking and typing.
    std::function<void(HeadlessWindow& dialog, const DialogTemplate& dialogTemplate)> dialogHandler;
    const std::vector<DialogRecord>& Dialogs() const { return dialogs_; }
    HeadlessWindow* OpenDialog() const { return openDialogs_.empty() ? nullptr : openDialogs_.back(); }

    void SetScreenSize(int width, int height) { screen_ = {width, height}; }
    // Forgets the recorded message boxes, dialogs, titles, drawing calls and pushes,
    // so that runs of thousands of games keep a steady size.
    void ForgetHistory();
    HeadlessWindow* MainWindow() const { return mainWindow_.get(); }
    const WindowClass* FindClass(std::string_view name) const;

    // Delivers every posted message, including those posted meanwhile.
    void DeliverPosted();
    // Lets virtual time pass, delivering posted messages and the timers that fall due, in order.
    void AdvanceTime(std::uint64_t milliseconds);
    bool QuitPosted() const { return quitPosted_; }
    int QuitCode() const { return quitCode_; }

    VirtualClock& Clock() { return clock_; }

private:
    friend class HeadlessWindow;
    struct Posted {
        HeadlessWindow* window;
        Msg message;
        WPARAM wParam;
        LPARAM lParam;
    };
    void Post(HeadlessWindow* window, Msg message, WPARAM wParam, LPARAM lParam);
    void Forget(HeadlessWindow* window);
    // The window and timer that fall due next, if any.
    bool NextTimer(HeadlessWindow*& window, std::uintptr_t& id, std::uint64_t& due) const;
    std::vector<HeadlessWindow*> LiveWindows() const;

    VirtualClock& clock_;
    std::vector<WindowClass> classes_;
    std::unique_ptr<HeadlessWindow> mainWindow_;
    std::deque<Posted> posted_;
    std::deque<int> answers_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::vector<DialogRecord> dialogs_;
    std::vector<HeadlessWindow*> openDialogs_;
    Size screen_{1024, 768};
    bool quitPosted_ = false;
    int quitCode_ = 0;
};

}  // namespace platform
