#include "platform/linux/SdlToneDevice.h"

#include <algorithm>
#include <cstdio>
#include <future>
#include <string>

#include "platform/linux/SdlAudioOutput.h"

namespace platform {

namespace {

constexpr std::uint32_t kRate = SdlAudioOutput::kRate;
// A quarter of full scale: plainly audible without the harshness of a full-scale square wave.
constexpr std::int16_t kAmplitude = 8192;
// Long tones are queued and slept a second at a time, so the queue never holds much more.
constexpr unsigned kSliceMs = 1000;

void ReportSilent(const std::string& reason) {
    std::fprintf(stderr, "deckfall: sound effects are silent: %s\n",
                 !reason.empty() ? reason.c_str() : "no audio device");
}

std::uint64_t SamplesFor(std::uint32_t rate, unsigned milliseconds) {
    return (std::uint64_t{rate} * milliseconds + 500) / 1000;
}

}  // namespace

SdlToneDevice::SdlToneDevice(SdlAudioOutput& output, Clock& clock, std::chrono::milliseconds idleClose)
    : output_(output), clock_(clock), idleClose_(idleClose) {}

void SdlToneDevice::OpenInBackground() {
    // Starting the sound system takes a while (loading SDL, perhaps asking the session bus
    // for real-time scheduling): it happens beside the program, not in its way.
    if (!opening_.valid()) opening_ = std::async(std::launch::async, [this] { Open(); });
}

void SdlToneDevice::WaitUntilOpen() {
    OpenInBackground();
    opening_.wait();
}

void SdlToneDevice::Open() {
    const std::lock_guard lock(mutex_);
    std::string failure;
    if (!OpenDevice(failure)) {
        ReportSilent(failure);
        return;
    }
    // Opened now, it closes again after idleClose unless a tone comes first.
    quietFrom_ = Steady::now();
    idleWatch_ = std::thread([this] { CloseWhenIdle(); });
}

bool SdlToneDevice::OpenDevice(std::string& failure) {
    holding_ = output_.Hold(SdlAudioOutput::User::Tones, failure);
    if (!holding_) {
        rate_ = 0;
        return false;
    }
    rate_ = kRate;
    // The device takes a period at a time before playing it, and the caller's sleeps run a
    // little late. A tone that finds the queue empty is preceded by this much silence, so the
    // tones that follow it find the queue still filled and join on without a break.
    leadSamples_ = 2u * SdlAudioOutput::kPeriodFrames + rate_ / 50;
    // A device that takes sound slower than real time would let the queue grow without end;
    // this far ahead the queued sound is dropped and the next tone starts afresh.
    farAheadSamples_ = leadSamples_ + rate_ / 4;
    return true;
}

SdlToneDevice::~SdlToneDevice() {
    if (!opening_.valid()) return;
    opening_.wait();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    toneQueued_.notify_one();
    if (idleWatch_.joinable()) idleWatch_.join();
    CloseDevice();
}

unsigned SdlToneDevice::SampleRate() {
    WaitUntilOpen();
    const std::lock_guard lock(mutex_);
    return rate_;
}

void SdlToneDevice::Beep(unsigned frequency, unsigned milliseconds) {
    WaitUntilOpen();
    unsigned left = milliseconds;
    do {
        // Whole seconds are whole numbers of samples, so the slices add up to the exact length.
        const unsigned slice = std::min(left, kSliceMs);
        unsigned spent = 0;
        bool reopened = false;
        {
            const std::lock_guard lock(mutex_);
            if (rate_ != 0 && !holding_) {
                // Opening again counts toward the tone, which keeps its length for the caller.
                const auto start = Steady::now();
                std::string failure;
                reopened = OpenDevice(failure);
                if (!reopened) GoSilent(failure);
                spent = std::min<unsigned>(
                    slice, static_cast<unsigned>(
                               std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start)
                                   .count()));
            }
            if (holding_) {
                Queue(frequency, SamplesFor(rate_, slice - spent));
            }
        }
        // The idle watch waits for a device only while there is none; otherwise it sees the
        // later quietFrom_ when its wait ends.
        if (reopened) toneQueued_.notify_one();
        clock_.Sleep(slice - spent);
        left -= slice;
    } while (left > 0);
}

unsigned SdlToneDevice::QueuedMilliseconds() {
    WaitUntilOpen();
    const std::lock_guard lock(mutex_);
    if (!holding_) {
        return 0;
    }
    const std::uint64_t samples = output_.QueuedToneSamples();
    return static_cast<unsigned>(samples * 1000 / rate_);
}

void SdlToneDevice::Queue(unsigned frequency, std::uint64_t samples) {
    if (samples == 0) {
        return;
    }
    // A lost device stops taking sound; queuing on would only pile it up.
    if (output_.Stopped()) {
        GoSilent("the audio device stopped");
        return;
    }
    std::uint64_t queued = output_.QueuedToneSamples();
    if (queued > farAheadSamples_) {
        output_.ClearTones();
        queued = 0;
    }
    if (queued == 0) QueueSamples(0, leadSamples_);
    QueueSamples(frequency, samples);
    const std::uint64_t ahead = queued + (queued != 0 ? 0 : leadSamples_) + samples;
    quietFrom_ = Steady::now() + std::chrono::microseconds(ahead * 1000000 / rate_);
}

void SdlToneDevice::QueueSamples(unsigned frequency, std::uint64_t samples) {
    // Above half the sample rate a square wave cannot be represented: silence instead.
    const bool audible = frequency != 0 && std::uint64_t{frequency} * 2 <= rate_;
    while (samples > 0) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(samples, chunk_.size()));
        if (audible) {
            // The phase advances by exactly frequency/rate_ of a cycle per sample, so the
            // average pitch is exact even where a period is not a whole number of samples.
            for (std::size_t i = 0; i < count; ++i) {
                chunk_[i] = phase_ * 2 < rate_ ? kAmplitude : -kAmplitude;
                phase_ += frequency;
                if (phase_ >= rate_) {
                    phase_ -= rate_;
                }
            }
        } else {
            std::fill_n(chunk_.begin(), count, std::int16_t{0});
        }
        output_.QueueTone(chunk_.data(), count);
        samples -= count;
    }
}

void SdlToneDevice::CloseDevice() {
    if (holding_) {
        output_.Release(SdlAudioOutput::User::Tones);
        holding_ = false;
    }
}

void SdlToneDevice::GoSilent(const std::string& reason) {
    ReportSilent(reason);
    CloseDevice();
    rate_ = 0;
}

void SdlToneDevice::CloseWhenIdle() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!holding_) {
            toneQueued_.wait(lock);
            continue;
        }
        const Steady::time_point closeAt = quietFrom_ + idleClose_;
        if (Steady::now() < closeAt) {
            // A tone meanwhile moves quietFrom_ on; the wait then starts again from it.
            toneQueued_.wait_until(lock, closeAt);
            continue;
        }
        if (output_.QueuedToneSamples() == 0) {
            CloseDevice();
        } else {
            // The device plays slower than the estimate: look again once it may have finished.
            quietFrom_ = Steady::now();
        }
    }
}

}  // namespace platform
