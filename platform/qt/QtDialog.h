#pragma once
// A modal dialog built from its template: controls placed in dialog units of the
// dialog font, commands and timers delivered to the dialog procedure.

#include <QDialog>
#include <QFont>
#include <QMargins>
#include <map>
#include <memory>

#include "platform/DialogTemplate.h"
#include "platform/Window.h"
#include "platform/qt/QtControl.h"
#include "platform/qt/WindowTimers.h"

namespace platform {

class QtDialog final : public QDialog, public Window {
    Q_OBJECT
public:
    QtDialog(const DialogTemplate& dialogTemplate, QWidget* owner, Window* ownerWindow, DialogProc procedure);
    ~QtDialog() override;

    // WM_INITDIALOG, then the modal loop; the result given to EndDialog.
    std::intptr_t Run(LPARAM parameter);

    Window* GetParent() const override { return ownerWindow_; }
    Rect GetWindowRect() const override;
    Rect GetClientRect() const override;
    bool MoveTo(int x, int y) override;
    bool MoveWindow(const Rect& outer, bool repaint) override;
    bool ShowWindow(ShowCommand command) override;
    std::string GetWindowText() const override;
    bool SetWindowText(std::string_view text) override;
    Window* GetDlgItem(int id) override;
    bool EnableWindow(bool enable) override;
    bool IsWindowEnabled() const override { return isEnabled(); }
    bool SetFocus() override;
    bool EndDialog(std::intptr_t result) override;
    bool InvalidateRect(const Rect*, bool) override;
    bool UpdateWindow() override;
    bool SetTimer(std::uintptr_t id, unsigned milliseconds) override;
    bool KillTimer(std::uintptr_t id) override;
    LRESULT SendMessage(Msg message, WPARAM wParam, LPARAM lParam) override;
    bool PostMessage(Msg message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(Msg message, WPARAM wParam, LPARAM lParam) override;
    bool DestroyWindow() override;

    // The font of every dialog, the stand-in for the templates' MS Sans Serif.
    static const QFont& DialogFont();
    // Pixels of a length in dialog units, across and down, in the dialog font.
    static int UnitsToPixelsX(int units);
    static int UnitsToPixelsY(int units);

public slots:
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void Build(const DialogTemplate& dialogTemplate);
    void Command(int id);
    // The window manager's frame around the dialog; before it is shown, the owner's.
    QMargins Frame() const;

    Window* ownerWindow_;
    DialogProc procedure_;
    std::map<int, std::unique_ptr<QtControl>> controls_;
    std::vector<std::pair<int, QWidget*>> tabOrder_;
    WindowTimers timers_;
    std::intptr_t result_ = 0;
    bool ended_ = false;
};

}  // namespace platform
