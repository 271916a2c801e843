#pragma once

#include <array>
#include <cstdint>
#include <future>

#include "platform/Clock.h"
#include "platform/ToneDevice.h"

namespace platform {

struct SdlAudioLibrary;

// Square-wave tones on the default SDL audio output. A tone's samples are
// queued on the device and the caller then sleeps its length on the clock, so
// the caller is blocked for exactly that long and back-to-back tones join up
// sample for sample. Without a device the tones are silent and only sleep.
class SdlToneDevice final : public ToneDevice {
public:
    explicit SdlToneDevice(Clock& clock);
    ~SdlToneDevice() override;
    SdlToneDevice(const SdlToneDevice&) = delete;
    SdlToneDevice& operator=(const SdlToneDevice&) = delete;

    void Beep(unsigned frequency, unsigned milliseconds) override;

    // Starts opening the device on a thread of its own, if the first tone has not already.
    void OpenInBackground();
    // Samples per second of the open device; 0 while the tones are silent.
    unsigned SampleRate();
    // Sound queued but not yet taken by the device.
    unsigned QueuedMilliseconds();

private:
    void Open();
    void WaitUntilOpen();
    void Queue(unsigned frequency, std::uint64_t samples);
    bool QueueSamples(unsigned frequency, std::uint64_t samples);
    void CloseDevice();

    Clock& clock_;
    const SdlAudioLibrary* sdl_ = nullptr;
    bool audioStarted_ = false;
    std::uint32_t device_ = 0;
    std::uint32_t rate_ = 0;
    std::uint32_t leadSamples_ = 0;
    std::uint32_t farAheadSamples_ = 0;
    // Position within the current cycle, in units of 1/rate_ of a cycle.
    std::uint32_t phase_ = 0;
    std::array<std::int16_t, 1024> chunk_{};
    // Every use waits for the opening first.
    std::future<void> opening_;
};

}  // namespace platform
