#pragma once
// A sequencer for tests: the test says which song files exist and when the song
// playing reaches its end. Notifications are posted as the real player posts them.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/MusicPlayer.h"

namespace platform {

class HeadlessMusicPlayer final : public MusicPlayer {
public:
    std::uint32_t Open(std::string_view file, MusicDeviceId& device) override;
    std::uint32_t Play(MusicDeviceId device, Window* window) override;
    std::uint32_t Close(MusicDeviceId device) override;

    // The files that open; any other name is missing.
    void AddSongs(std::initializer_list<std::string> files) { files_.insert(files); }
    // The songs playing reach their end. False when none was playing.
    bool EndSong();

    // Every name asked to open, found or not, and every file started, in order.
    const std::vector<std::string>& Asked() const { return asked_; }
    const std::vector<std::string>& Played() const { return played_; }
    // The files playing now, their end not yet reported.
    std::vector<std::string> Sounding() const;

private:
    struct Device {
        std::string file;
        Window* window = nullptr;  // set while a play awaits its report
    };

    std::set<std::string, std::less<>> files_;
    std::map<MusicDeviceId, Device> devices_;
    MusicDeviceId lastId_ = 0;
    std::vector<std::string> asked_;
    std::vector<std::string> played_;
};

}  // namespace platform
