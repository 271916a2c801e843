#include "platform/headless/HeadlessDesktop.h"

#include <algorithm>

#include "platform/LastError.h"

namespace platform {

HeadlessDesktop::~HeadlessDesktop() {
    // The window forgets itself in the desktop as it goes.
    mainWindow_.reset();
}

int HeadlessDesktop::RegisterWindowClass(const WindowClass& windowClass) {
    if (FindClass(windowClass.name)) return 0;
    classes_.push_back(windowClass);
    return static_cast<int>(classes_.size());
}

const WindowClass* HeadlessDesktop::FindClass(std::string_view name) const {
    for (const auto& c : classes_)
        if (c.name == name) return &c;
    return nullptr;
}

Window* HeadlessDesktop::CreateMainWindow(std::string_view className, std::string_view title,
                                          const Rect& outer) {
    const WindowClass* windowClass = FindClass(className);
    if (!windowClass) {
        SetLastError(1407, "Cannot find window class.");
        return nullptr;
    }
    mainWindow_ = std::make_unique<HeadlessWindow>(*this, windowClass->procedure, std::string(title), outer);
    return mainWindow_.get();
}

void HeadlessDesktop::Post(HeadlessWindow* window, Msg message, WPARAM wParam, LPARAM lParam) {
    posted_.push_back({window, message, wParam, lParam});
}

void HeadlessDesktop::Forget(HeadlessWindow* window) {
    std::erase_if(posted_, [window](const Posted& p) { return p.window == window; });
}

void HeadlessDesktop::ForgetHistory() {
    messageBoxes_.clear();
    dialogs_.clear();
    if (mainWindow_) mainWindow_->ForgetHistory();
}

void HeadlessDesktop::PostQuitMessage(int exitCode) {
    quitPosted_ = true;
    quitCode_ = exitCode;
}

std::vector<HeadlessWindow*> HeadlessDesktop::LiveWindows() const {
    std::vector<HeadlessWindow*> windows;
    if (mainWindow_ && !mainWindow_->IsDestroyed()) windows.push_back(mainWindow_.get());
    windows.insert(windows.end(), openDialogs_.begin(), openDialogs_.end());
    return windows;
}

std::intptr_t HeadlessDesktop::DialogBoxParam(const DialogTemplate& dialog, Window* owner,
                                              DialogProc procedure, LPARAM parameter) {
    constexpr int kPixelsPerUnit = 2;
    const Rect outer{dialog.place.left * kPixelsPerUnit, dialog.place.top * kPixelsPerUnit,
                     dialog.place.right * kPixelsPerUnit,
                     dialog.place.bottom * kPixelsPerUnit + (dialog.caption ? HeadlessWindow::kFrameTop : 0)};
    auto window = std::make_unique<HeadlessWindow>(*this, procedure, dialog.title, outer,
                                                   dynamic_cast<HeadlessWindow*>(owner));
    for (const DialogControl& control : dialog.controls)
        if (control.id != -1) window->AddControl(control);
    openDialogs_.push_back(window.get());
    if (procedure(window.get(), Msg::InitDialog, 0, parameter)) {
        for (const DialogControl& control : dialog.controls)
            if (control.tabStop && control.id != -1) {
                window->GetDlgItem(control.id)->SetFocus();
                break;
            }
    }
    if (dialogHandler && !window->DialogEnded()) dialogHandler(*window, dialog);
    while (!window->DialogEnded() && !quitPosted_) {
        DeliverPosted();
        if (window->DialogEnded()) break;
        HeadlessWindow* timerWindow = nullptr;
        std::uintptr_t id = 0;
        std::uint64_t due = 0;
        if (!NextTimer(timerWindow, id, due)) {
            window->SendMessage(Msg::Command, IDCANCEL, 0);
            if (!window->DialogEnded()) window->EndDialog(IDCANCEL);
            break;
        }
        AdvanceTime(due > clock_.ElapsedMs() ? due - clock_.ElapsedMs() : 0);
    }
    openDialogs_.pop_back();
    dialogs_.push_back({dialog.id, dialog.title, owner, window->GetWindowRect(), window->DialogResult()});
    return window->DialogResult();
}

bool HeadlessDesktop::NextTimer(HeadlessWindow*& window, std::uintptr_t& id, std::uint64_t& due) const {
    bool found = false;
    for (HeadlessWindow* w : LiveWindows())
        for (const auto& [timerId, timerDue] : w->timerDue_)
            if (!found || timerDue < due) {
                found = true;
                window = w;
                id = timerId;
                due = timerDue;
            }
    return found;
}

void HeadlessDesktop::DeliverPosted() {
    while (!posted_.empty() && !quitPosted_) {
        const Posted next = posted_.front();
        posted_.pop_front();
        next.window->SendMessage(next.message, next.wParam, next.lParam);
    }
    for (HeadlessWindow* w : LiveWindows()) w->UpdateWindow();
}

void HeadlessDesktop::AdvanceTime(std::uint64_t milliseconds) {
    const std::uint64_t end = clock_.ElapsedMs() + milliseconds;
    for (;;) {
        DeliverPosted();
        if (quitPosted_) return;
        HeadlessWindow* window = nullptr;
        std::uintptr_t id = 0;
        std::uint64_t due = 0;
        if (!NextTimer(window, id, due) || due > end) break;
        if (due > clock_.ElapsedMs()) clock_.Advance(due - clock_.ElapsedMs());
        window->timerDue_[id] = clock_.ElapsedMs() + window->timers_[id];
        window->SendMessage(Msg::Timer, id, 0);
    }
    if (end > clock_.ElapsedMs()) clock_.Advance(end - clock_.ElapsedMs());
}

int HeadlessDesktop::RunMessageLoop(const std::vector<Accelerator>&) {
    while (!quitPosted_) {
        DeliverPosted();
        if (quitPosted_) break;
        HeadlessWindow* window = nullptr;
        std::uintptr_t id = 0;
        std::uint64_t due = 0;
        if (!NextTimer(window, id, due)) return -1;  // nothing would ever happen again
        AdvanceTime(due > clock_.ElapsedMs() ? due - clock_.ElapsedMs() : 0);
    }
    return quitCode_;
}

int HeadlessDesktop::MessageBox(Window* owner, std::string_view text, std::string_view caption,
                                unsigned style) {
    MessageBoxRecord record{owner, std::string(text), std::string(caption), style, 0};
    if (messageBoxHandler) {
        record.answer = messageBoxHandler(record);
    } else if (!answers_.empty()) {
        record.answer = answers_.front();
        answers_.pop_front();
    } else {
        record.answer = (style & MB_YESNO) ? IDNO : IDOK;
    }
    messageBoxes_.push_back(record);
    return record.answer;
}

int HeadlessDesktop::GetSystemMetric(SystemMetric metric) const {
    switch (metric) {
        case SystemMetric::ScreenWidth:
            return screen_.cx;
        case SystemMetric::ScreenHeight:
            return screen_.cy;
        case SystemMetric::IconWidth:
        case SystemMetric::IconHeight:
            return 32;
    }
    return 0;
}

}  // namespace platform
