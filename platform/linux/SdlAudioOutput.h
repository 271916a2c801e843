#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

struct SdlAudioLibrary;

// The program's one output device on SDL's default output, shared by the tones
// and the music, which it mixes. One device, not one each: SDL's disk and dummy
// drivers (and a sound card without a mixer in front of it) open only one at a
// time, and on PulseAudio or PipeWire one stream is one client fewer to wake.
//
// The device is open while either user holds it; once both have let go it closes
// and SDL's thread, which wakes for every period whether there is sound or not,
// ends with it. Stereo at a fixed rate, so the synthesiser keeps its own; SDL
// converts where the sound card wants another.
class SdlAudioOutput {
public:
    enum class User : unsigned { Tones = 1, Music = 2 };
    // Writes frames of stereo samples for the next period over the buffer.
    using MusicRenderer = void (*)(void* userdata, std::int16_t* stereo, int frames);

    static constexpr int kRate = 48000;
    static constexpr int kChannels = 2;
    // A short period keeps the tones in step with what they pace.
    static constexpr int kPeriodFrames = 512;

    SdlAudioOutput() = default;
    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    // Opens the device for user unless it is open already: false, with the reason, when
    // there is no device to be had. The first call loads SDL and starts its sound system.
    bool Hold(User user, std::string& failure);
    void Release(User user);
    // A held device that has stopped taking sound (it was unplugged, or its server went).
    bool Stopped();

    // Tones: mono samples sounded on both channels, after those queued before.
    void QueueTone(const std::int16_t* samples, std::size_t count);
    std::size_t QueuedToneSamples();
    void ClearTones();

    // Music: the renderer runs on SDL's thread with the music lock held; whatever it
    // renders from changes under that lock.
    void SetMusic(MusicRenderer renderer, void* userdata);
    std::unique_lock<std::mutex> LockMusic() { return std::unique_lock(musicMutex_); }

private:
    static void Mix(void* self, std::uint8_t* stream, int bytes);

    // Holding, opening and closing.
    std::mutex mutex_;
    const SdlAudioLibrary* sdl_ = nullptr;
    bool audioStarted_ = false;
    unsigned holders_ = 0;
    std::uint32_t device_ = 0;

    // The tones not yet played: samples from toneRead_ on.
    std::mutex toneMutex_;
    std::vector<std::int16_t> tones_;
    std::size_t toneRead_ = 0;

    std::mutex musicMutex_;
    MusicRenderer music_ = nullptr;
    void* musicData_ = nullptr;
    // SDL's thread's own.
    std::vector<std::int16_t> musicFrames_;
};

}  // namespace platform
