#pragma once
// The MIDI sequencer the background music plays through, in the shape of the
// multimedia command interface: a song file is opened as a device, played with
// a notification to a window, and closed.

#include <cstdint>
#include <string_view>

#include "platform/Window.h"

namespace platform {

using MusicDeviceId = std::uint32_t;

// Error codes with their multimedia-system numbers; 0 is success.
enum MusicError : std::uint32_t {
    MCIERR_INVALID_DEVICE_ID = 257,
    MCIERR_FILE_NOT_FOUND = 275,
    MCIERR_INVALID_FILE = 296,
};

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    // Opens a standard MIDI file (a relative name is taken from the current folder) as a new
    // device, never 0. A missing or unreadable file and one that is not a standard MIDI file
    // are errors, and no device is opened.
    virtual std::uint32_t Open(std::string_view file, MusicDeviceId& device) = 0;
    // Starts the song from its beginning and returns at once. Its end is posted to window as
    // Msg::MusicNotify with MCI_NOTIFY_SUCCESSFUL and the device in lParam; closing the device
    // first posts MCI_NOTIFY_ABORTED instead. Each play is reported exactly once.
    virtual std::uint32_t Play(MusicDeviceId device, Window* window) = 0;
    // Stops and closes the device; 0 or a device that is not open is an error that changes nothing.
    virtual std::uint32_t Close(MusicDeviceId device) = 0;
};

}  // namespace platform
