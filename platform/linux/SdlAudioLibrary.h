#pragma once
// SDL2's audio calls, from the library loaded at run time. Linking SDL2 into the
// program would load it and the dozens of libraries it needs before the first
// frame; loaded on the sound device's own thread it costs start-up nothing.

#include <SDL.h>

namespace platform {

struct SdlAudioLibrary {
    // The library, loaded once for the process; null when it cannot be loaded.
    static const SdlAudioLibrary* Get();

    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
};

}  // namespace platform
