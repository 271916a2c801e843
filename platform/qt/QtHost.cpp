#include "platform/qt/QtHost.h"

#include <QApplication>
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

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    // The menu bar belongs to the window, as the game's pause rules expect of it,
    // never to a desktop-wide menu.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    auto application = std::make_unique<QApplication>(argc, argv);
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
