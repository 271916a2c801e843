#pragma once
// Everything a headless run needs, installed for the object's lifetime: the
// desktop, a virtual clock, recorded tones, in-process modules and scripted
// songs. The settings store is the caller's (an in-memory one for tests and the
// simulator).

#include "platform/Services.h"
#include "platform/headless/HeadlessDesktop.h"
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
                          .music = &music}) {}

    VirtualClock clock;
    HeadlessDesktop desktop;
    HeadlessToneDevice tones;
    HeadlessModuleLoader modules;
    HeadlessMusicPlayer music;

private:
    ScopedServices scope_;
};

}  // namespace platform
