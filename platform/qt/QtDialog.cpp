#include "platform/qt/QtDialog.h"
#include "platform/qt/IconControl.h"
#include "platform/qt/PostedMessage.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimerEvent>
#include <QWindow>

namespace platform {

namespace {

Rect ToRect(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

// The templates were laid out in MS Sans Serif. A sans serif with Arial's metrics
// (Liberation Sans, through fontconfig's alias) keeps their texts inside their boxes;
// DejaVu Sans, wider for the same average character, would clip many of them.
QFont MakeDialogFont() {
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Arial"));
    return font;
}

// The dialog base units of the dialog font, as Windows measures them.
QSize MeasureBaseUnits() {
    const QFontMetrics metrics(QtDialog::DialogFont());
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((alphabet / 26 + 1) / 2, metrics.height());
}

const QSize& BaseUnits() {
    static const QSize units = MeasureBaseUnits();
    return units;
}

}  // namespace

const QFont& QtDialog::DialogFont() {
    static const QFont font = MakeDialogFont();
    return font;
}

int QtDialog::UnitsToPixelsX(int units) {
    return units * BaseUnits().width() / 4;
}
int QtDialog::UnitsToPixelsY(int units) {
    return units * BaseUnits().height() / 8;
}

QtDialog::QtDialog(const DialogTemplate& dialogTemplate, QWidget* owner, Window* ownerWindow,
                   DialogProc procedure)
    : QDialog(owner), ownerWindow_(ownerWindow), procedure_(procedure), timers_(*this) {
    setWindowTitle(QString::fromUtf8(dialogTemplate.title));
    if (dialogTemplate.caption)
        // A modal frame with a title and a close box, no minimising or maximising.
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
    else
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    setFont(DialogFont());
    Build(dialogTemplate);
}

QtDialog::~QtDialog() = default;

void QtDialog::Build(const DialogTemplate& dialogTemplate) {
    auto pixels = [](const Rect& units) {
        return QRect(UnitsToPixelsX(units.left), UnitsToPixelsY(units.top), UnitsToPixelsX(units.Width()),
                     UnitsToPixelsY(units.Height()));
    };
    setFixedSize(UnitsToPixelsX(dialogTemplate.place.Width()), UnitsToPixelsY(dialogTemplate.place.Height()));
    if (!dialogTemplate.caption) {
        // The thin border of a popup without a caption.
        auto* border = new QFrame(this);
        border->setFrameShape(QFrame::Box);
        border->setGeometry(rect());
    }
    for (const DialogControl& control : dialogTemplate.controls) {
        QWidget* widget = nullptr;
        const QString text = QString::fromUtf8(control.text);
        switch (control.kind) {
            case DialogControl::Kind::Static: {
                auto* label = new QLabel(control.noPrefix
                                             ? QString::fromUtf8(control.text)
                                             : QtControl::WithoutMnemonics(QString::fromUtf8(control.text)),
                                         this);
                label->setAlignment((control.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
                widget = label;
                break;
            }
            case DialogControl::Kind::Edit: {
                auto* edit = new QLineEdit(this);
                QtControl::SetReadOnly(edit, control.readOnly);
                edit->setFrame(control.border);
                widget = edit;
                break;
            }
            case DialogControl::Kind::PushButton:
            case DialogControl::Kind::DefaultPushButton: {
                auto* button = new QPushButton(text, this);
                button->setAutoDefault(false);
                button->setDefault(control.kind == DialogControl::Kind::DefaultPushButton);
                const int id = control.id;
                connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
                widget = button;
                break;
            }
            case DialogControl::Kind::CheckBox: {
                auto* box = new QCheckBox(text, this);
                const int id = control.id;
                connect(box, &QCheckBox::clicked, this, [this, id] { Command(id); });
                widget = box;
                break;
            }
            case DialogControl::Kind::RadioButton: {
                auto* radio = new QRadioButton(text, this);
                const int id = control.id;
                connect(radio, &QRadioButton::clicked, this, [this, id] { Command(id); });
                widget = radio;
                break;
            }
            case DialogControl::Kind::Icon:
                widget = new IconControl(control.icon, this);
                break;
            case DialogControl::Kind::EtchedLine: {
                auto* line = new QFrame(this);
                line->setFrameShape(QFrame::HLine);
                line->setFrameShadow(QFrame::Sunken);
                widget = line;
                break;
            }
        }
        QRect place = pixels(control.place);
        if (control.kind == DialogControl::Kind::EtchedLine) place.setHeight(2);
        widget->setGeometry(place);
        if (control.tabStop)
            widget->setFocusPolicy(Qt::StrongFocus);
        else if (widget->focusPolicy() != Qt::NoFocus)
            widget->setFocusPolicy(Qt::ClickFocus);
        if (control.id != -1) controls_[control.id] = std::make_unique<QtControl>(widget, this);
        if (control.tabStop) tabOrder_.emplace_back(control.id, widget);
    }
    for (std::size_t i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1].second, tabOrder_[i].second);
}

std::intptr_t QtDialog::Run(LPARAM parameter) {
    const bool focusFirst = SendMessage(Msg::InitDialog, 0, parameter) != 0;
    if (ended_) return result_;
    if (focusFirst && !tabOrder_.empty()) tabOrder_.front().second->setFocus(Qt::OtherFocusReason);
    exec();
    return result_;
}

void QtDialog::Command(int id) {
    SendMessage(Msg::Command, MakeWParam(static_cast<std::uint16_t>(id), 0), 0);
}

void QtDialog::reject() {
    // Esc asks the procedure, as IDCANCEL; it decides whether the dialog ends.
    Command(2);
}

void QtDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command(2);
}

void QtDialog::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() | Qt::KeypadModifier) == Qt::KeyboardModifiers(Qt::KeypadModifier);
    if (!plain || (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter))
        return QDialog::keyPressEvent(event);
    // Enter presses the push button that has the focus, else the default one, and
    // without one it asks the procedure for IDOK, as a Windows dialog does.
    QPushButton* button = qobject_cast<QPushButton*>(focusWidget());
    if (!button)
        for (QPushButton* candidate : findChildren<QPushButton*>())
            if (candidate->isDefault()) button = candidate;
    if (!button)
        Command(1);
    else if (button->isEnabled() && button->isVisible())
        button->click();
}

bool QtDialog::event(QEvent* event) {
    if (event->type() == PostedMessage::EventType()) {
        const auto* posted = static_cast<PostedMessage*>(event);
        if (!ended_) SendMessage(posted->message, posted->wParam, posted->lParam);
        return true;
    }
    return QDialog::event(event);
}

void QtDialog::timerEvent(QTimerEvent* event) {
    if (const std::optional<std::uintptr_t> id = timers_.Find(event->timerId()))
        SendMessage(Msg::Timer, *id, 0);
}

QMargins QtDialog::Frame() const {
    if (isVisible() && windowHandle()) return windowHandle()->frameMargins();
    // Dialogs get the frame the owner has under the same window manager.
    const auto* owner = dynamic_cast<const QWidget*>(ownerWindow_);
    return owner && owner->windowHandle() ? owner->windowHandle()->frameMargins() : QMargins();
}

Rect QtDialog::GetWindowRect() const {
    if (isVisible()) return ToRect(frameGeometry());
    // Until it is shown, a dialog's position is its frame's (QWidget::move), and the
    // frame is not yet known: centring must count it all the same.
    const QMargins frame = Frame();
    return {x(), y(), x() + width() + frame.left() + frame.right(),
            y() + height() + frame.top() + frame.bottom()};
}

Rect QtDialog::GetClientRect() const {
    return {0, 0, width(), height()};
}

bool QtDialog::MoveTo(int x, int y) {
    move(x, y);
    raise();
    return true;
}

bool QtDialog::MoveWindow(const Rect& outer, bool) {
    const QMargins frame = Frame();
    setFixedSize(std::max(1, outer.Width() - frame.left() - frame.right()),
                 std::max(1, outer.Height() - frame.top() - frame.bottom()));
    move(outer.left, outer.top);
    return true;
}

bool QtDialog::ShowWindow(ShowCommand command) {
    const bool wasVisible = isVisible();
    setVisible(command != ShowCommand::Hide);
    return wasVisible;
}

std::string QtDialog::GetWindowText() const {
    return windowTitle().toStdString();
}

bool QtDialog::SetWindowText(std::string_view text) {
    setWindowTitle(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return true;
}

Window* QtDialog::GetDlgItem(int id) {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.get();
}

bool QtDialog::EnableWindow(bool enable) {
    const bool wasDisabled = !isEnabled();
    setEnabled(enable);
    return wasDisabled;
}

bool QtDialog::SetFocus() {
    activateWindow();
    return true;
}

bool QtDialog::EndDialog(std::intptr_t result) {
    ended_ = true;
    result_ = result;
    done(static_cast<int>(result));
    return true;
}

bool QtDialog::InvalidateRect(const Rect*, bool) {
    update();
    return true;
}

bool QtDialog::UpdateWindow() {
    repaint();
    return true;
}

bool QtDialog::SetTimer(std::uintptr_t id, unsigned milliseconds) {
    return timers_.Set(id, milliseconds);
}

bool QtDialog::KillTimer(std::uintptr_t id) {
    return timers_.Kill(id);
}

LRESULT QtDialog::SendMessage(Msg message, WPARAM wParam, LPARAM lParam) {
    return procedure_ ? procedure_(this, message, wParam, lParam) : 0;
}

bool QtDialog::PostMessage(Msg message, WPARAM wParam, LPARAM lParam) {
    // Ownership passes to Qt's event queue.
    QCoreApplication::postEvent(this, new PostedMessage(message, wParam, lParam));
    return true;
}

LRESULT QtDialog::DefWindowProc(Msg message, WPARAM, LPARAM) {
    if (message == Msg::Close) Command(2);
    return 0;
}

bool QtDialog::DestroyWindow() {
    return EndDialog(2);
}

}  // namespace platform
