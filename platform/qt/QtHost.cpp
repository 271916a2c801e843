#include "platform/qt/QtHost.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/qt/DrawnIconStyle.h"
#include "platform/qt/MeasuringProbe.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/TerminationBridge.h"

namespace platform {

bool QtHost::CheckDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    std::fprintf(stderr,
                 "deckfall: there is no display to open the window on (DISPLAY is not set); "
                 "to run without one: xvfb-run -a ./deckfall\n");
    return false;
}

namespace {

// Qt's Wayland plugin hands windows to the compositor through a client-buffer integration
// that it loads at the first window, by default EGL and with it Mesa, tens of MiB that a
// game drawing in software never uses. Naming an integration that does not exist leaves it
// with shared memory only, the buffers every window of the game already uses.
constexpr char kBufferIntegration[] = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";
constexpr char kNoBufferIntegration[] = "shared-memory-only";

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    // The menu bar belongs to the window, as the game's pause rules expect of it,
    // never to a desktop-wide menu.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // A choice of the player's own stands.
    const bool chooseBuffers = !qEnvironmentVariableIsSet(kBufferIntegration);
    if (chooseBuffers) qputenv(kBufferIntegration, kNoBufferIntegration);
    auto application = std::make_unique<QApplication>(argc, argv);
    if (chooseBuffers) {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            // Asking what OpenGL can do makes the plugin settle its integration now, while
            // the variable is set; that the named one is missing is the point, not news.
            QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.wayland.warning=false"));
            QOpenGLContext::supportsThreadedOpenGL();
            QLoggingCategory::setFilterRules({});
        }
        // Programs the game starts (the help's browser) choose for themselves.
        qunsetenv(kBufferIntegration);
    }
    QApplication::setStyle(new DrawnIconStyle);  // owned by the application
    return application;
}

}  // namespace

QtHost::QtHost(int& argc, char** argv) : application_(StartApplication(argc, argv)) {
    QApplication::setApplicationName("Deckfall");
    QApplication::setOrganizationName("Quillmoor");
    // The installed desktop entry's name, by which the desktop gives the window its icon and name.
    QApplication::setDesktopFileName(DECKFALL_APP_ID);
    desktop_ = std::make_unique<QtDesktop>();
    probe_ = MeasuringProbe::FromEnvironment();
    // As early as there is a loop to carry it out: SIGTERM, SIGINT and SIGHUP close the window.
    termination_ = std::make_unique<TerminationBridge>(
        [desktop = desktop_.get()] { return desktop->StandingMainWindow(); },
        [desktop = desktop_.get()] { return desktop->InMessageLoop(); });
}

QtHost::~QtHost() {
    termination_.reset();
    probe_.reset();
    desktop_.reset();
    application_.reset();
}

Desktop& QtHost::GetDesktop() {
    return *desktop_;
}

void QtHost::AfterFirstFrame(std::function<void()> work) {
    desktop_->AfterFirstFrame(std::move(work));
}

void QtHost::RunOnMainThread(std::function<void()> work) {
    // Queued to the desktop, which lives on the main thread for as long as the host does.
    QMetaObject::invokeMethod(desktop_.get(), std::move(work), Qt::QueuedConnection);
}

}  // namespace platform
