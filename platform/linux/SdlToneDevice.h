#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <future>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Clock.h"
#include "platform/ToneDevice.h"

namespace platform {

class SdlAudioOutput;

// Square-wave tones on the program's SDL output. A tone's samples are queued on
// the output and the caller then sleeps its length on the clock, so the caller
// is blocked for exactly that long and back-to-back tones join up sample for
// sample. Without a device the tones are silent and only sleep.
//
// SDL's thread for an open device wakes for every period, sound or not, so the
// tones let the output go once they have had nothing to play for idleClose (a
// paused or ended game makes no sound for minutes), and it closes unless the
// music holds it; the next tone opens it again, within the tone's own length.
class SdlToneDevice final : public ToneDevice {
public:
    SdlToneDevice(SdlAudioOutput& output, Clock& clock,
                  std::chrono::milliseconds idleClose = std::chrono::seconds(1));
    ~SdlToneDevice() override;
    SdlToneDevice(const SdlToneDevice&) = delete;
    SdlToneDevice& operator=(const SdlToneDevice&) = delete;

    void Beep(unsigned frequency, unsigned milliseconds) override;

    // Starts opening the device on a thread of its own, if the first tone has not already.
    void OpenInBackground();
    // Samples per second of the device; 0 while the tones are silent.
    unsigned SampleRate();
    // Sound queued but not yet taken by the device.
    unsigned QueuedMilliseconds();

private:
    using Steady = std::chrono::steady_clock;

    void Open();
    void WaitUntilOpen();
    // These run with mutex_ held.
    bool OpenDevice(std::string& failure);
    void Queue(unsigned frequency, std::uint64_t samples);
    void QueueSamples(unsigned frequency, std::uint64_t samples);
    void CloseDevice();
    void GoSilent(const std::string& reason);
    // The idle watch's thread: closes the device once what was queued has played and
    // idleClose has passed without another tone.
    void CloseWhenIdle();

    SdlAudioOutput& output_;
    Clock& clock_;
    const std::chrono::milliseconds idleClose_;
    // The device, its state and the idle watch are shared with the watch's thread.
    std::mutex mutex_;
    std::condition_variable toneQueued_;
    bool stopping_ = false;
    Steady::time_point quietFrom_;
    bool holding_ = false;  // the output is held for the tones
    // Samples per second of the last device opened; 0 once the tones are silent for good.
    std::uint32_t rate_ = 0;
    std::uint32_t leadSamples_ = 0;
    std::uint32_t farAheadSamples_ = 0;
    // Position within the current cycle, in units of 1/rate_ of a cycle.
    std::uint32_t phase_ = 0;
    std::array<std::int16_t, 1024> chunk_{};
    std::thread idleWatch_;
    // Every use waits for the opening first.
    std::future<void> opening_;
};

}  // namespace platform
