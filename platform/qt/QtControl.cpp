#include "platform/qt/QtControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace platform {

namespace {

Rect ToRect(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

}  // namespace

QString QtControl::WithoutMnemonics(const QString& text) {
    // A label shows a mnemonic only with a buddy; without one its & marks are dropped ("&&" is an &).
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size()) shown += text[++i];
            continue;
        }
        shown += text[i];
    }
    return shown;
}

Rect QtControl::GetWindowRect() const {
    if (!widget_) return {};
    return ToRect(QRect(widget_->mapToGlobal(QPoint(0, 0)), widget_->size()));
}

Rect QtControl::GetClientRect() const {
    return widget_ ? Rect{0, 0, widget_->width(), widget_->height()} : Rect{};
}

bool QtControl::MoveTo(int x, int y) {
    if (!widget_) return false;
    widget_->move(widget_->parentWidget() ? widget_->parentWidget()->mapFromGlobal(QPoint(x, y))
                                          : QPoint(x, y));
    return true;
}

bool QtControl::MoveWindow(const Rect& outer, bool) {
    if (!widget_) return false;
    MoveTo(outer.left, outer.top);
    widget_->resize(outer.Width(), outer.Height());
    return true;
}

bool QtControl::ShowWindow(ShowCommand command) {
    if (!widget_) return false;
    const bool wasVisible = widget_->isVisible();
    widget_->setVisible(command != ShowCommand::Hide);
    return wasVisible;
}

std::string QtControl::GetWindowText() const {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) return edit->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget_)) return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) return button->text().toStdString();
    return {};
}

bool QtControl::SetWindowText(std::string_view text) {
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (auto* edit = qobject_cast<QLineEdit*>(widget_))
        edit->setText(string);
    else if (auto* label = qobject_cast<QLabel*>(widget_))
        label->setText(WithoutMnemonics(string));
    else if (auto* button = qobject_cast<QAbstractButton*>(widget_))
        button->setText(string);
    else
        return false;
    return true;
}

bool QtControl::EnableWindow(bool enable) {
    if (!widget_) return false;
    const bool wasDisabled = !widget_->isEnabled();
    widget_->setEnabled(enable);
    return wasDisabled;
}

bool QtControl::IsWindowEnabled() const {
    return widget_ && widget_->isEnabled();
}

bool QtControl::SetFocus() {
    if (!widget_) return false;
    widget_->setFocus(Qt::OtherFocusReason);
    return true;
}

bool QtControl::SetCheck(int state) {
    auto* button = qobject_cast<QAbstractButton*>(widget_);
    if (!button || !button->isCheckable()) return false;
    // An automatic radio button would refuse to clear itself while it is the checked one.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(state != 0);
    button->setAutoExclusive(exclusive);
    return true;
}

int QtControl::GetCheck() const {
    auto* button = qobject_cast<QAbstractButton*>(widget_);
    return button && button->isChecked() ? 1 : 0;
}

void QtControl::SetReadOnly(QLineEdit* edit, bool readOnly) {
    // A new palette restyles the field; most calls find it as it is.
    if (edit->isReadOnly() == readOnly && edit->testAttribute(Qt::WA_SetPalette)) return;
    edit->setReadOnly(readOnly);
    QPalette palette = edit->palette();
    const QPalette standard = QApplication::palette(edit);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setBrush(group, QPalette::Base,
                         standard.brush(group, readOnly ? QPalette::Window : QPalette::Base));
    edit->setPalette(palette);
}

bool QtControl::SetReadOnly(bool readOnly) {
    auto* edit = qobject_cast<QLineEdit*>(widget_);
    if (!edit) return false;
    SetReadOnly(edit, readOnly);
    return true;
}

bool QtControl::LimitText(int characters) {
    auto* edit = qobject_cast<QLineEdit*>(widget_);
    if (!edit) return false;
    // Characters as Qt counts them, in UTF-16 units, as Windows' wide edits do.
    edit->setMaxLength(characters > 0 ? characters : kUnlimitedText);
    return true;
}

bool QtControl::InvalidateRect(const Rect*, bool) {
    if (widget_) widget_->update();
    return true;
}

}  // namespace platform
