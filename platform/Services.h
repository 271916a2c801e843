#pragma once
// The platform services the game runs on. The program installs the Linux ones
// at start-up; tests and the simulator install the headless ones. Game code
// reaches the platform only through these interfaces.

#include "platform/Clock.h"
#include "platform/ColorPicker.h"
#include "platform/Desktop.h"
#include "platform/DocumentOpener.h"
#include "platform/ModuleLoader.h"
#include "platform/MusicPlayer.h"
#include "platform/SettingsStore.h"
#include "platform/ToneDevice.h"

namespace platform {

struct Services {
    Desktop* desktop = nullptr;
    SettingsStore* settings = nullptr;
    Clock* clock = nullptr;
    ToneDevice* tones = nullptr;
    ModuleLoader* modules = nullptr;
    MusicPlayer* music = nullptr;
    ColorPicker* colors = nullptr;
    DocumentOpener* documents = nullptr;
};

// The installed services; every one is present while a ScopedServices lives.
const Services& Current();

// Installs services for its lifetime and puts the previous ones back afterwards.
class ScopedServices {
public:
    explicit ScopedServices(const Services& services);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Services previous_;
};

}  // namespace platform
