#pragma once
// A control of a dialog as the game sees it: a label, a text field, a button,
// a check box or a radio button, reached by its identifier.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include "platform/Window.h"

namespace platform {

class QtControl final : public Window {
public:
    QtControl(QWidget* widget, Window* dialog) : widget_(widget), dialog_(dialog) {}

    Window* GetParent() const override { return dialog_; }
    Rect GetWindowRect() const override;
    Rect GetClientRect() const override;
    bool MoveTo(int x, int y) override;
    bool MoveWindow(const Rect& outer, bool repaint) override;
    bool ShowWindow(ShowCommand command) override;
    std::string GetWindowText() const override;
    bool SetWindowText(std::string_view text) override;
    bool EnableWindow(bool enable) override;
    bool IsWindowEnabled() const override;
    bool SetFocus() override;
    bool SetCheck(int state) override;
    int GetCheck() const override;
    bool SetReadOnly(bool readOnly) override;
    bool LimitText(int characters) override;
    bool InvalidateRect(const Rect*, bool) override;

    QWidget* Widget() const { return widget_; }
    // A read-only edit shows the dialog's colour behind its text, as on Windows, so
    // the one field open for typing stands out.
    static void SetReadOnly(QLineEdit* edit, bool readOnly);
    // The most an edit takes without a limit (EM_LIMITTEXT 0).
    static constexpr int kUnlimitedText = 32767;
    // A text as a label without a buddy shows it.
    static QString WithoutMnemonics(const QString& text);

private:
    QPointer<QWidget> widget_;
    Window* dialog_;
};

}  // namespace platform
