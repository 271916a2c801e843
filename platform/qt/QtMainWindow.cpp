#include "platform/qt/QtMainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include "platform/qt/IconResources.h"
#include "platform/qt/KeyMapping.h"
#include "platform/qt/PostedMessage.h"
#include "platform/qt/QtDrawingContext.h"

namespace platform {

namespace {

// The deferred WM_PAINT of an invalidated window.
class PaintRequestEvent final : public QEvent {
public:
    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    PaintRequestEvent() : QEvent(EventType()) {}
};

// The window icon goes to the window system as one picture per size (_NET_WM_ICON on
// X11). Task bars and window switchers ask a window for at most this much; a larger
// picture would only cost start-up time to send.
constexpr int kLargestWindowIcon = 128;

Rect ToRect(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}
QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

bool CompositorPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

QtMainWindow::QtMainWindow(WindowProc procedure, const WindowClass& windowClass, const QString& title,
                           const Rect& outer)
    : procedure_(procedure),
      board_(new BoardWidget(this)),
      normalRect_(outer),
      lastFrame_(outer),
      placedByCompositor_(CompositorPlacesWindows()),
      timers_(*this) {
    setWindowTitle(title);
    setWindowIcon(LoadIconResources({windowClass.largeIcon, windowClass.smallIcon}, kLargestWindowIcon));
    setCentralWidget(board_);
    BuildMenuBar(windowClass.menuBar);
    board_->onResized = [this] {
        invalid_ = true;
        eraseWanted_ = true;
        PaintInvalid();
    };
    board_->onKeyPress = [this](QKeyEvent* event) { OnKeyPress(event); };
    board_->setFocus();
    // The frame is not known before the window is mapped; until then the outer
    // rectangle is taken as the client size.
    if (!placedByCompositor_) move(outer.left, outer.top);
    resize(outer.Width(), outer.Height());
}

QtMainWindow::~QtMainWindow() = default;

void QtMainWindow::BuildMenuBar(const std::vector<Menu>& menus) {
    for (const Menu& menu : menus) {
        QMenu* popup = menuBar()->addMenu(QString::fromUtf8(menu.title));
        for (const MenuItem& item : menu.items) {
            if (item.text.empty()) {
                popup->addSeparator();
                continue;
            }
            // Qt shows the part after the tab as the shortcut label, as Windows does;
            // the keys themselves are the accelerator table's.
            QAction* action = popup->addAction(QString::fromUtf8(item.text));
            const int command = item.command;
            connect(action, &QAction::triggered, this, [this, command] {
                MenuClosed();
                SendMessage(Msg::Command, MakeWParam(static_cast<std::uint16_t>(command), 0), 0);
            });
        }
        connect(popup, &QMenu::aboutToShow, this, [this] { MenuOpened(); });
        connect(popup, &QMenu::aboutToHide, this, [this] { CloseMenuOnceSettled(); });
    }
    // Tapping Alt puts the menu bar in keyboard mode, taking the focus without opening a
    // menu: that is menu mode too, and it lasts until the menu bar lets the focus go.
    menuBar()->installEventFilter(this);
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == menuBar()) {
        if (event->type() == QEvent::FocusIn) MenuOpened();
        if (event->type() == QEvent::FocusOut) CloseMenuOnceSettled();
    }
    return QMainWindow::eventFilter(watched, event);
}

void QtMainWindow::MenuOpened() {
    if (menuOpen_) return;
    menuOpen_ = true;
    SendMessage(Msg::InitMenu, 0, 0);
}

void QtMainWindow::CloseMenuOnceSettled() {
    // Moving from one menu to the next hides one and shows the other, and a menu closed
    // with Esc hands the keyboard back to the menu bar: menu mode has ended only when
    // neither a popup nor the menu bar is left once events settle.
    QTimer::singleShot(0, this, [this] {
        if (!QApplication::activePopupWidget() && !menuBar()->hasFocus()) MenuClosed();
    });
}

void QtMainWindow::MenuClosed() {
    if (!menuOpen_) return;
    menuOpen_ = false;
    // Menu mode that ends because another window took the focus ends paused, as the
    // loss of focus has it: the game resumes when the focus comes back.
    if (isActiveWindow()) SendMessage(Msg::MenuSelect, MakeWParam(0, 0xFFFF), 0);
}

void QtMainWindow::OnKeyPress(QKeyEvent* event) {
    // F10 is the system's key for the menu, never the game's: it opens the first menu.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier) {
        menuBar()->setActiveAction(menuBar()->actions().value(0));
        return;
    }
    const std::uintptr_t key = VirtualKeyOf(event->key(), event->modifiers());
    if (key == 0) return;
    SendMessage(Msg::KeyDown, key, event->isAutoRepeat() ? (1 << 30) | 1 : 1);
}

bool QtMainWindow::TranslateAccelerator(const QKeyEvent& event, const std::vector<Accelerator>& table) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const std::uintptr_t key = VirtualKeyOf(event.key(), modifiers);
    const QString text = event.text();
    for (const Accelerator& accelerator : table) {
        bool matches = false;
        if (accelerator.kind == Accelerator::Kind::VirtualKey) {
            matches = key != 0 && key == static_cast<std::uintptr_t>(accelerator.key) &&
                      control == accelerator.control && alt == accelerator.alt && !shift;
        } else {
            // A character accelerator matches the character typed, whatever Shift it took.
            const QChar typed = text.isEmpty() ? QChar(event.key()) : text.front();
            matches =
                typed == QChar(accelerator.key) && alt == accelerator.alt && control == accelerator.control;
        }
        if (matches) {
            SendMessage(Msg::Command, MakeWParam(static_cast<std::uint16_t>(accelerator.command), 1), 0);
            return true;
        }
    }
    return false;
}

bool QtMainWindow::event(QEvent* event) {
    if (event->type() == PostedMessage::EventType()) {
        const auto* posted = static_cast<PostedMessage*>(event);
        if (!destroyed_) SendMessage(posted->message, posted->wParam, posted->lParam);
        return true;
    }
    if (event->type() == PaintRequestEvent::EventType()) {
        paintQueued_ = false;
        PaintInvalid();
        return true;
    }
    switch (event->type()) {
        case QEvent::WindowActivate:
            SendMessage(Msg::SetFocus, 0, 0);
            break;
        case QEvent::WindowDeactivate:
            SendMessage(Msg::KillFocus, 0, 0);
            break;
        default:
            break;
    }
    return QMainWindow::event(event);
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    // Whether the window goes is the window procedure's decision (DefWindowProc destroys it).
    event->ignore();
    if (!destroyed_) SendMessage(Msg::Close, 0, 0);
}

void QtMainWindow::timerEvent(QTimerEvent* event) {
    if (const std::optional<std::uintptr_t> id = timers_.Find(event->timerId()))
        SendMessage(Msg::Timer, *id, 0);
}

void QtMainWindow::TrackNormalRect() {
    if (!framed_ || (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) ||
        !isVisible())
        return;
    const Rect frame = ToRect(frameGeometry());
    // An unknown position keeps the one the window was given, to be restored where it means something.
    normalRect_ = placedByCompositor_
                      ? Rect{normalRect_.left, normalRect_.top, normalRect_.left + frame.Width(),
                             normalRect_.top + frame.Height()}
                      : frame;
}

void QtMainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    TrackNormalRect();
    // A change of size is the resize event's to judge; a plain move only shifts the frame.
    const Rect frame = ToRect(frameGeometry());
    if (frame.Width() == lastFrame_.Width() && frame.Height() == lastFrame_.Height()) lastFrame_ = frame;
}

namespace {

// Qt does not say which border is being dragged: the sides that moved tell.
WPARAM DraggedEdge(const Rect& before, const Rect& after) {
    const bool left = after.left != before.left;
    const bool right = after.right != before.right;
    if (after.top != before.top) return left ? WMSZ_TOPLEFT : right ? WMSZ_TOPRIGHT : WMSZ_TOP;
    if (after.bottom != before.bottom) return left ? WMSZ_BOTTOMLEFT : right ? WMSZ_BOTTOMRIGHT : WMSZ_BOTTOM;
    return left ? WMSZ_LEFT : WMSZ_RIGHT;
}

}  // namespace

void QtMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const Rect frame = ToRect(frameGeometry());
    if (framed_ && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
        Rect proposed = frame;
        SendMessage(Msg::Sizing, DraggedEdge(lastFrame_, frame), reinterpret_cast<LPARAM>(&proposed));
        if (proposed != frame) ApplyOuterRect(proposed);
    }
    TrackNormalRect();
    lastFrame_ = ToRect(frameGeometry());
}

void QtMainWindow::UpdateMinimumSize() {
    // The smallest outer size is the window procedure's: ask it about an empty rectangle.
    Rect smallest{};
    SendMessage(Msg::Sizing, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&smallest));
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    setMinimumSize(std::max(0, smallest.Width() - frame.left() - frame.right()),
                   std::max(0, smallest.Height() - frame.top() - frame.bottom()));
}

void QtMainWindow::ApplyOuterRect(const Rect& outer) {
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (!placedByCompositor_) move(outer.left, outer.top);
    resize(std::max(1, outer.Width() - frame.left() - frame.right()),
           std::max(1, outer.Height() - frame.top() - frame.bottom()));
}

void QtMainWindow::WaitForFrame() {
    // The window manager frames the window once it is mapped; only then are the
    // frame's margins, and so the outer rectangle, known.
    // On Wayland the margins are Qt's own decorations, known at once, or the compositor's,
    // never known: only the exposure is worth the wait.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 2000 &&
           (!windowHandle() || !windowHandle()->isExposed() ||
            (!placedByCompositor_ && windowHandle()->frameMargins().isNull() && waited.elapsed() < 300)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

void QtMainWindow::WaitForGeometry(const QRect& before) {
    // The window manager maximises and restores in its own time; until it has, the
    // window would report its old rectangle, and a dialog would centre over that.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 1000 && frameGeometry() == before)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

Rect QtMainWindow::GetWindowRect() const {
    return ToRect(frameGeometry());
}

Rect QtMainWindow::GetClientRect() const {
    return {0, 0, board_->width(), board_->height()};
}

bool QtMainWindow::MoveTo(int x, int y) {
    // Where the compositor places windows, a move is no failure: there is nothing to do.
    if (!placedByCompositor_) move(x, y);
    return true;
}

bool QtMainWindow::MoveWindow(const Rect& outer, bool) {
    ApplyOuterRect(outer);
    return true;
}

bool QtMainWindow::ShowWindow(ShowCommand command) {
    const bool wasVisible = isVisible();
    const QRect frameBefore = frameGeometry();
    const bool wasMaximized = windowState() & Qt::WindowMaximized;
    switch (command) {
        case ShowCommand::Hide:
            hide();
            return wasVisible;
        case ShowCommand::Maximized:
            showMaximized();
            break;
        case ShowCommand::Minimized:
            showMinimized();
            break;
        case ShowCommand::Normal:
            showNormal();
            break;
        case ShowCommand::Show:
            show();
            break;
    }
    if (framed_ && wasVisible && wasMaximized != static_cast<bool>(windowState() & Qt::WindowMaximized))
        WaitForGeometry(frameBefore);
    if (!framed_) {
        // Until the frame is known the window stood at the outer rectangle it was
        // created with; now it can be put there exactly, frame included.
        const Rect created = normalRect_;
        WaitForFrame();
        framed_ = true;
        normalRect_ = created;
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) ApplyOuterRect(created);
        UpdateMinimumSize();
    }
    return wasVisible;
}

WindowPlacement QtMainWindow::GetWindowPlacement() const {
    WindowPlacement placement;
    placement.normalRect = normalRect_;
    // A window minimised from the maximised state carries both flags: it is minimised.
    if (windowState() & Qt::WindowMinimized)
        placement.showCommand = ShowCommand::Minimized;
    else if (windowState() & Qt::WindowMaximized)
        placement.showCommand = ShowCommand::Maximized;
    else
        placement.showCommand = ShowCommand::Normal;
    return placement;
}

std::string QtMainWindow::GetWindowText() const {
    return windowTitle().toStdString();
}

bool QtMainWindow::SetWindowText(std::string_view text) {
    setWindowTitle(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return true;
}

bool QtMainWindow::EnableWindow(bool enable) {
    const bool wasDisabled = !isEnabled();
    setEnabled(enable);
    return wasDisabled;
}

bool QtMainWindow::SetFocus() {
    activateWindow();
    board_->setFocus();
    return true;
}

std::unique_ptr<DrawingContext> QtMainWindow::GetDC() {
    return std::make_unique<QtDrawingContext>(
        board_->BackBuffer(), [this](const Rect& changed) { board_->Push(ToQRect(changed)); });
}

std::unique_ptr<DrawingContext> QtMainWindow::BeginPaint() {
    invalid_ = false;
    return std::make_unique<QtDrawingContext>(board_->BackBuffer());
}

bool QtMainWindow::InvalidateRect(const Rect*, bool erase) {
    invalid_ = true;
    eraseWanted_ = eraseWanted_ || erase;
    if (!paintQueued_) {
        paintQueued_ = true;
        // Ownership passes to Qt's event queue.
        QCoreApplication::postEvent(this, new PaintRequestEvent(), Qt::LowEventPriority);
    }
    return true;
}

bool QtMainWindow::UpdateWindow() {
    PaintInvalid();
    return true;
}

void QtMainWindow::PaintInvalid() {
    if (!invalid_ || destroyed_) return;
    if (std::exchange(eraseWanted_, false)) {
        QtDrawingContext dc(board_->BackBuffer());
        SendMessage(Msg::EraseBackground, reinterpret_cast<WPARAM>(static_cast<DrawingContext*>(&dc)), 0);
    }
    SendMessage(Msg::Paint, 0, 0);
    invalid_ = false;
    board_->Push(board_->rect());
}

bool QtMainWindow::SetTimer(std::uintptr_t id, unsigned milliseconds) {
    return timers_.Set(id, milliseconds);
}

bool QtMainWindow::KillTimer(std::uintptr_t id) {
    return timers_.Kill(id);
}

LRESULT QtMainWindow::SendMessage(Msg message, WPARAM wParam, LPARAM lParam) {
    if (destroyed_ && message != Msg::Destroy) return 0;
    return procedure_(this, message, wParam, lParam);
}

bool QtMainWindow::PostMessage(Msg message, WPARAM wParam, LPARAM lParam) {
    if (destroyed_) return false;
    // Ownership passes to Qt's event queue.
    QCoreApplication::postEvent(this, new PostedMessage(message, wParam, lParam));
    return true;
}

LRESULT QtMainWindow::DefWindowProc(Msg message, WPARAM, LPARAM) {
    if (message == Msg::Close) DestroyWindow();
    return 0;
}

bool QtMainWindow::DestroyWindow() {
    if (destroyed_) return false;
    destroyed_ = true;
    timers_.KillAll();
    procedure_(this, Msg::Destroy, 0, 0);
    hide();
    return true;
}

}  // namespace platform
