#include "platform/headless/HeadlessMusicPlayer.h"

namespace platform {

std::uint32_t HeadlessMusicPlayer::Open(std::string_view file, MusicDeviceId& device) {
    asked_.emplace_back(file);
    if (!files_.contains(file)) return MCIERR_FILE_NOT_FOUND;
    device = ++lastId_;
    devices_[device] = {std::string(file)};
    return 0;
}

std::uint32_t HeadlessMusicPlayer::Play(MusicDeviceId device, Window* window) {
    const auto found = devices_.find(device);
    if (found == devices_.end()) return MCIERR_INVALID_DEVICE_ID;
    found->second.window = window;
    played_.push_back(found->second.file);
    return 0;
}

std::uint32_t HeadlessMusicPlayer::Close(MusicDeviceId device) {
    const auto found = devices_.find(device);
    if (found == devices_.end()) return MCIERR_INVALID_DEVICE_ID;
    if (Window* window = found->second.window)
        window->PostMessage(Msg::MusicNotify, MCI_NOTIFY_ABORTED, device);
    devices_.erase(found);
    return 0;
}

bool HeadlessMusicPlayer::EndSong() {
    bool ended = false;
    for (auto& [id, device] : devices_) {
        if (!device.window) continue;
        device.window->PostMessage(Msg::MusicNotify, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(id));
        device.window = nullptr;
        ended = true;
    }
    return ended;
}

std::vector<std::string> HeadlessMusicPlayer::Sounding() const {
    std::vector<std::string> files;
    for (const auto& [id, device] : devices_)
        if (device.window) files.push_back(device.file);
    return files;
}

}  // namespace platform
