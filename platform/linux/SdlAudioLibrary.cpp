#include "platform/linux/SdlAudioLibrary.h"

#include <dlfcn.h>

#include <optional>

#include "platform/linux/LoadedLibrary.h"

namespace platform {

namespace {

std::optional<SdlAudioLibrary> Load(LibraryHandle& handle) {
    handle.reset(dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
    if (!handle) return std::nullopt;
    SdlAudioLibrary sdl{};
    void* h = handle.get();
    const bool complete =
        Resolve(h, "SDL_SetHint", sdl.SetHint) && Resolve(h, "SDL_InitSubSystem", sdl.InitSubSystem) &&
        Resolve(h, "SDL_QuitSubSystem", sdl.QuitSubSystem) && Resolve(h, "SDL_GetError", sdl.GetError) &&
        Resolve(h, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
        Resolve(h, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
        Resolve(h, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
        Resolve(h, "SDL_GetAudioDeviceStatus", sdl.GetAudioDeviceStatus);
    if (!complete) return std::nullopt;
    // SDL would catch SIGINT and SIGTERM when its audio starts, only to put a quit event in a
    // queue this program never reads: the signals would be lost. The program handles them.
    sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return sdl;
}

}  // namespace

const SdlAudioLibrary* SdlAudioLibrary::Get() {
    // Never unmapped (RTLD_NODELETE): exit() tears this down while a tone device that was not
    // destroyed, such as one on main's stack, may still have SDL's audio thread running.
    static LibraryHandle handle;
    static const std::optional<SdlAudioLibrary> library = Load(handle);
    return library ? &*library : nullptr;
}

}  // namespace platform
