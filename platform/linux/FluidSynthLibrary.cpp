#include "platform/linux/FluidSynthLibrary.h"

#include <dlfcn.h>

#include <optional>

#include "platform/linux/LoadedLibrary.h"

namespace platform {

namespace {

std::optional<FluidSynthLibrary> Load(LibraryHandle& handle) {
    handle.reset(dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
    if (!handle) return std::nullopt;
    FluidSynthLibrary fluid{};
    void* h = handle.get();
    const bool complete = Resolve(h, "fluid_audio_driver_register", fluid.AudioDriverRegister) &&
                          Resolve(h, "fluid_set_log_function", fluid.SetLogFunction) &&
                          Resolve(h, "new_fluid_settings", fluid.NewSettings) &&
                          Resolve(h, "delete_fluid_settings", fluid.DeleteSettings) &&
                          Resolve(h, "fluid_settings_setint", fluid.SetInt) &&
                          Resolve(h, "fluid_settings_setnum", fluid.SetNum) &&
                          Resolve(h, "fluid_settings_setstr", fluid.SetStr) &&
                          Resolve(h, "new_fluid_synth", fluid.NewSynth) &&
                          Resolve(h, "delete_fluid_synth", fluid.DeleteSynth) &&
                          Resolve(h, "fluid_synth_sfload", fluid.SoundfontLoad) &&
                          Resolve(h, "fluid_synth_write_s16", fluid.WriteS16) &&
                          Resolve(h, "fluid_synth_all_sounds_off", fluid.AllSoundsOff) &&
                          Resolve(h, "new_fluid_player", fluid.NewPlayer) &&
                          Resolve(h, "delete_fluid_player", fluid.DeletePlayer) &&
                          Resolve(h, "fluid_player_add_mem", fluid.PlayerAddMem) &&
                          Resolve(h, "fluid_player_play", fluid.PlayerPlay) &&
                          Resolve(h, "fluid_player_get_status", fluid.PlayerGetStatus);
    if (!complete) return std::nullopt;
    // The synthesiser's samples go out through our own SDL device: none of FluidSynth's audio
    // drivers is wanted, and registering them would start some and warn about SDL.
    const char* noDrivers[] = {nullptr};
    fluid.AudioDriverRegister(noDrivers);
    // What goes wrong is told in the player's own words, once.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid.SetLogFunction(level, nullptr, nullptr);
    return fluid;
}

}  // namespace

const FluidSynthLibrary* FluidSynthLibrary::Get() {
    // Never unmapped (RTLD_NODELETE): after exit() has torn this down, SDL's audio thread may
    // still be rendering a song through it.
    static LibraryHandle handle;
    static const std::optional<FluidSynthLibrary> library = Load(handle);
    return library ? &*library : nullptr;
}

}  // namespace platform
