#include "platform/linux/SdlAudioOutput.h"

#include <algorithm>
#include <cstring>

#include "platform/linux/SdlAudioLibrary.h"

namespace platform {

SdlAudioOutput::~SdlAudioOutput() {
    const std::lock_guard lock(mutex_);
    if (device_ != 0) sdl_->CloseAudioDevice(device_);
    if (audioStarted_) sdl_->QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::Hold(User user, std::string& failure) {
    const std::lock_guard lock(mutex_);
    if (device_ == 0) {
        if (!sdl_) sdl_ = SdlAudioLibrary::Get();
        if (!sdl_) {
            failure = "the SDL2 library (libSDL2-2.0.so.0) cannot be loaded";
            return false;
        }
        if (!audioStarted_ && sdl_->InitSubSystem(SDL_INIT_AUDIO) != 0) {
            failure = sdl_->GetError();
            return false;
        }
        audioStarted_ = true;
        SDL_AudioSpec wanted{};
        wanted.freq = kRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = kChannels;
        wanted.samples = kPeriodFrames;
        wanted.callback = &SdlAudioOutput::Mix;
        wanted.userdata = this;
        device_ = sdl_->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        if (device_ == 0) {
            failure = sdl_->GetError();
            if (failure.empty()) failure = "no audio device";
            return false;
        }
        ClearTones();
        sdl_->PauseAudioDevice(device_, 0);
    }
    holders_ |= static_cast<unsigned>(user);
    return true;
}

void SdlAudioOutput::Release(User user) {
    const std::lock_guard lock(mutex_);
    holders_ &= ~static_cast<unsigned>(user);
    if (holders_ == 0 && device_ != 0) {
        sdl_->CloseAudioDevice(device_);
        device_ = 0;
    }
}

bool SdlAudioOutput::Stopped() {
    const std::lock_guard lock(mutex_);
    return device_ == 0 || sdl_->GetAudioDeviceStatus(device_) != SDL_AUDIO_PLAYING;
}

void SdlAudioOutput::QueueTone(const std::int16_t* samples, std::size_t count) {
    const std::lock_guard lock(toneMutex_);
    tones_.insert(tones_.end(), samples, samples + count);
}

std::size_t SdlAudioOutput::QueuedToneSamples() {
    const std::lock_guard lock(toneMutex_);
    return tones_.size() - toneRead_;
}

void SdlAudioOutput::ClearTones() {
    const std::lock_guard lock(toneMutex_);
    tones_.clear();
    toneRead_ = 0;
}

void SdlAudioOutput::SetMusic(MusicRenderer renderer, void* userdata) {
    const std::lock_guard lock(musicMutex_);
    music_ = renderer;
    musicData_ = userdata;
}

void SdlAudioOutput::Mix(void* self, std::uint8_t* stream, int bytes) {
    auto& output = *static_cast<SdlAudioOutput*>(self);
    auto* mix = reinterpret_cast<std::int16_t*>(stream);
    const int frames = bytes / static_cast<int>(kChannels * sizeof(std::int16_t));
    {
        const std::lock_guard lock(output.musicMutex_);
        if (output.music_) {
            output.musicFrames_.resize(static_cast<std::size_t>(frames) * kChannels);
            output.music_(output.musicData_, output.musicFrames_.data(), frames);
            std::memcpy(mix, output.musicFrames_.data(), static_cast<std::size_t>(bytes));
        } else {
            std::memset(mix, 0, static_cast<std::size_t>(bytes));
        }
    }
    const std::lock_guard lock(output.toneMutex_);
    const std::size_t count =
        std::min(static_cast<std::size_t>(frames), output.tones_.size() - output.toneRead_);
    for (std::size_t i = 0; i < count; ++i) {
        const int tone = output.tones_[output.toneRead_ + i];
        for (int channel = 0; channel < kChannels; ++channel) {
            std::int16_t& sample = mix[i * kChannels + static_cast<std::size_t>(channel)];
            sample = static_cast<std::int16_t>(std::clamp(sample + tone, -32768, 32767));
        }
    }
    output.toneRead_ += count;
    // Played out: the queue starts again from the front, keeping what it has allocated.
    if (output.toneRead_ == output.tones_.size()) {
        output.tones_.clear();
        output.toneRead_ = 0;
    }
}

}  // namespace platform
