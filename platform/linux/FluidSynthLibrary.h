#pragma once
// FluidSynth's calls, from the library loaded at run time. It brings glib, the
// sound servers' client libraries and more with it: loaded on the music's own
// thread when the first song is wanted, it costs start-up nothing.

#include <fluidsynth.h>

namespace platform {

struct FluidSynthLibrary {
    // The library, loaded once for the process; null when it cannot be loaded.
    static const FluidSynthLibrary* Get();

    decltype(&fluid_audio_driver_register) AudioDriverRegister;
    decltype(&fluid_set_log_function) SetLogFunction;
    decltype(&new_fluid_settings) NewSettings;
    decltype(&delete_fluid_settings) DeleteSettings;
    decltype(&fluid_settings_setint) SetInt;
    decltype(&fluid_settings_setnum) SetNum;
    decltype(&fluid_settings_setstr) SetStr;
    decltype(&new_fluid_synth) NewSynth;
    decltype(&delete_fluid_synth) DeleteSynth;
    decltype(&fluid_synth_sfload) SoundfontLoad;
    decltype(&fluid_synth_write_s16) WriteS16;
    decltype(&fluid_synth_all_sounds_off) AllSoundsOff;
    decltype(&new_fluid_player) NewPlayer;
    decltype(&delete_fluid_player) DeletePlayer;
    decltype(&fluid_player_add_mem) PlayerAddMem;
    decltype(&fluid_player_play) PlayerPlay;
    decltype(&fluid_player_get_status) PlayerGetStatus;
};

}  // namespace platform
