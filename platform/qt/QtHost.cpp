#include "platform/qt/QtHost.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/QtDesktop.h"

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

QtHost::QtHost(int& argc, char** argv) : application_(std::make_unique<QApplication>(argc, argv)) {
    QApplication::setApplicationName("Deckfall");
    QApplication::setOrganizationName("Quillmoor");
    QApplication::setDesktopFileName("deckfall");
    desktop_ = std::make_unique<QtDesktop>();
}

QtHost::~QtHost() {
    desktop_.reset();
    application_.reset();
}

Desktop& QtHost::GetDesktop() {
    return *desktop_;
}

}  // namespace platform
