#pragma once
// Everything a headless run needs, installed for the object's lifetime: the
// desktop, a virtual clock, recorded tones, in-process modules, scripted songs,
// and a colour picker and a document opener that the test answers. The settings
// store is the caller's (an in-memory one for tests and the simulator).

#include "platform/Services.h"
#include "platform/headless/HeadlessColorPicker.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessDocumentOpener.h"
#include "platform/headless/HeadlessModuleLoader.h"
#include "platform/headless/HeadlessMusicPlayer.h"
#include "platform/headless/HeadlessToneDevice.h"
#include "platform/headless/VirtualClock.h"

namespace platform {

class HeadlessPlatform {
public:
    explicit HeadlessPlatform(SettingsStore& settings)
        : desktop(clock),
          tones(clock),
          scope_(Services{.desktop = &desktop,
                          .settings = &settings,
                          .clock = &clock,
                          .tones = &tones,
                          .modules = &modules,
                          .music = &music,
                          .colors = &colors,
                          .documents = &documents}) {}

    VirtualClock clock;
    HeadlessDesktop desktop;
    HeadlessToneDevice tones;
    HeadlessModuleLoader modules;
    HeadlessMusicPlayer music;
    HeadlessColorPicker colors;
    HeadlessDocumentOpener documents;

private:
    ScopedServices scope_;
};

}  // namespace platform
