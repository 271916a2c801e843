#include "platform/qt/QtDesktop.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <utility>

#include "platform/LastError.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtDrawingContext.h"

namespace platform {

QtDesktop::QtDesktop() {
    QApplication::setQuitOnLastWindowClosed(false);
}

QtDesktop::~QtDesktop() = default;

int QtDesktop::RegisterWindowClass(const WindowClass& windowClass) {
    for (const WindowClass& known : classes_)
        if (known.name == windowClass.name) {
            SetLastError(1410, "Class already exists.");
            return 0;
        }
    classes_.push_back(windowClass);
    return static_cast<int>(classes_.size());
}

Window* QtDesktop::CreateMainWindow(std::string_view className, std::string_view title, const Rect& outer) {
    const WindowClass* windowClass = nullptr;
    for (const WindowClass& known : classes_)
        if (known.name == className) windowClass = &known;
    if (!windowClass) {
        SetLastError(1407, "Cannot find window class.");
        return nullptr;
    }
    mainWindow_ = std::make_unique<QtMainWindow>(
        windowClass->procedure, *windowClass,
        QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), outer);
    mainWindow_->Board().onFirstFrame = [this] { OnFirstFrame(); };
    // Dialogs and message boxes have no class icon; they show the program's, as a Linux
    // desktop expects of every window of a program.
    QApplication::setWindowIcon(mainWindow_->windowIcon());
    return mainWindow_.get();
}

int QtDesktop::RunMessageLoop(const std::vector<Accelerator>& accelerators) {
    accelerators_ = accelerators;
    qApp->installEventFilter(this);
    inMessageLoop_ = true;
    const int code = quitPosted_ ? quitCode_ : QApplication::exec();
    inMessageLoop_ = false;
    qApp->removeEventFilter(this);
    mainWindow_.reset();
    return code;
}

Window* QtDesktop::StandingMainWindow() const {
    return mainWindow_ && !mainWindow_->IsDestroyed() ? mainWindow_.get() : nullptr;
}

void QtDesktop::PostQuitMessage(int exitCode) {
    quitPosted_ = true;
    quitCode_ = exitCode;
    QCoreApplication::exit(exitCode);
}

bool QtDesktop::eventFilter(QObject* watched, QEvent* event) {
    // Accelerators belong to the main window's own message loop: not to dialogs or open menus.
    if (event->type() == QEvent::KeyPress && mainWindow_ && !mainWindow_->IsDestroyed() &&
        !QApplication::activeModalWidget() && !QApplication::activePopupWidget()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == mainWindow_.get() &&
            mainWindow_->TranslateAccelerator(*static_cast<QKeyEvent*>(event), accelerators_))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

int QtDesktop::MessageBox(Window* owner, std::string_view text, std::string_view caption, unsigned style) {
    QtDrawingContext::FlushAll();
    QMessageBox box(dynamic_cast<QWidget*>(owner));
    box.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    box.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    box.setIcon((style & MB_ICONINFORMATION) ? QMessageBox::Information : QMessageBox::NoIcon);
    if (style & MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    switch (answer) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        default:
            return IDOK;
    }
}

int QtDesktop::GetSystemMetric(SystemMetric metric) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(640, 480);
    switch (metric) {
        case SystemMetric::ScreenWidth:
            return size.width();
        case SystemMetric::ScreenHeight:
            return size.height();
        case SystemMetric::IconWidth:
        case SystemMetric::IconHeight:
            return QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    }
    return 0;
}

std::intptr_t QtDesktop::DialogBoxParam(const DialogTemplate& dialog, Window* owner, DialogProc procedure,
                                        LPARAM parameter) {
    QtDrawingContext::FlushAll();
    QtDialog window(dialog, dynamic_cast<QWidget*>(owner), owner, procedure);
    return window.Run(parameter);
}

std::unique_ptr<Bitmap> QtDesktop::CreateBitmap(const Image& picture) {
    // At the screen's pixel ratio, like every other bitmap the game draws with.
    const qreal ratio = qApp->devicePixelRatio();
    auto bitmap = std::make_unique<QtBitmap>(picture.Width(), picture.Height(), ratio);
    const QImage source(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(), picture.Height(),
                        static_cast<qsizetype>(picture.Width()) * 4, QImage::Format_RGB32);
    QPainter painter(&bitmap->canvas->Image());
    painter.drawImage(QRectF(0, 0, picture.Width(), picture.Height()), source);
    return bitmap;
}

void QtDesktop::AfterFirstFrame(std::function<void()> work) {
    afterFirstFrame_.push_back(std::move(work));
}

void QtDesktop::OnFirstFrame() {
    // The frame is on its way to the screen once the paint that reported it returns.
    QTimer::singleShot(0, this, [work = std::exchange(afterFirstFrame_, {})] {
        for (const std::function<void()>& step : work) step();
    });
}

}  // namespace platform
