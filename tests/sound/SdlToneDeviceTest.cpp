#include "platform/linux/SdlToneDevice.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/headless/VirtualClock.h"
#include "platform/linux/SdlAudioOutput.h"
#include "platform/linux/SystemClock.h"
#include "tests/support/DiskAudio.h"

namespace {

using namespace std::chrono_literals;

struct Span {
    std::size_t begin;
    std::size_t end;
};

// The stretches of sound; every sample of a tone is non-zero, every sample of silence zero.
std::vector<Span> SoundSpans(const std::vector<std::int16_t>& s) {
    std::vector<Span> spans;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == 0) continue;
        const std::size_t begin = i;
        while (i < s.size() && s[i] != 0) ++i;
        spans.push_back({begin, i});
    }
    return spans;
}

// From the first to the last sign change inside the span lie whole half-cycles.
double Pitch(const std::vector<std::int16_t>& s, Span span, unsigned rate) {
    std::size_t first = 0, last = 0;
    int changes = 0;
    for (std::size_t i = span.begin + 1; i < span.end; ++i)
        if ((s[i] > 0) != (s[i - 1] > 0)) {
            first = changes++ == 0 ? i : first;
            last = i;
        }
    return changes < 2 ? 0 : (changes - 1) / 2.0 * rate / static_cast<double>(last - first);
}

std::size_t SamplesFor(unsigned rate, unsigned milliseconds) {
    return static_cast<std::size_t>(std::llround(rate * milliseconds / 1000.0));
}

// SDL's disk device writing to a file of the test's own, which goes after.
class SdlToneDeviceTest : public testing::Test {
protected:
    void SetUp() override { UseDriver("disk", file_); }
    void TearDown() override { std::filesystem::remove(file_); }
    const std::string file_ = TempFile("tones.raw");
};

TEST_F(SdlToneDeviceTest, TonesReachTheDeviceWithTheirPitchAndLengthAndBlockTheCaller) {
    // On its own the disk writer takes a period every 10 ms, faster than real time; at 11 ms
    // it is a little slower, as a sound card never runs ahead of the clock.
    UseDriver("disk", file_, "11");
    platform::SystemClock clock;
    const std::vector<unsigned> shortTones{880, 920, 960, 1000, 1040};
    unsigned rate = 0;
    {
        platform::SdlAudioOutput output;
        platform::SdlToneDevice device(output, clock);
        rate = device.SampleRate();
        ASSERT_GT(rate, 0u);
        const auto start = std::chrono::steady_clock::now();
        device.Beep(220, 200);
        const auto blocked = std::chrono::steady_clock::now() - start;
        EXPECT_GE(blocked, 200ms);
        EXPECT_LT(blocked, 1200ms);
        device.Beep(0, 20);
        device.Beep(440, 150);
        device.Beep(30000, 20);  // above half the sample rate: silence
        for (unsigned frequency : shortTones) device.Beep(frequency, 5);
        device.Beep(0, 100);
        for (int i = 0; i < 100 && device.QueuedMilliseconds() > 0; ++i) std::this_thread::sleep_for(10ms);
    }
    const std::vector<std::int16_t> samples = TakeLeftChannel(file_);

    const std::vector<Span> spans = SoundSpans(samples);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_NEAR(spans[0].end - spans[0].begin, SamplesFor(rate, 200), 1);
    EXPECT_NEAR(Pitch(samples, spans[0], rate), 220, 2.2);
    EXPECT_EQ(spans[1].begin - spans[0].end, SamplesFor(rate, 20));
    EXPECT_NEAR(spans[1].end - spans[1].begin, SamplesFor(rate, 150), 1);
    EXPECT_NEAR(Pitch(samples, spans[1], rate), 440, 4.4);
    EXPECT_EQ(spans[2].begin - spans[1].end, SamplesFor(rate, 20));
    // The short tones follow each other without a break, each with its own pitch.
    const std::size_t each = SamplesFor(rate, 5);
    EXPECT_NEAR(spans[2].end - spans[2].begin, shortTones.size() * each, 1);
    for (std::size_t i = 0; i < shortTones.size(); ++i) {
        const Span tone{spans[2].begin + i * each, spans[2].begin + (i + 1) * each};
        EXPECT_NEAR(Pitch(samples, tone, rate), shortTones[i], shortTones[i] / 100.0) << i;
    }
    EXPECT_GT(samples.size(), spans[2].end);
}

TEST_F(SdlToneDeviceTest, WithoutADeviceTonesAreSilentKeepTheirLengthAndSaySoOnce) {
    for (const char* driver : {"no-such-driver", "disk"}) {
        SCOPED_TRACE(driver);
        UseDriver(driver, "/nonexistent-folder/tones.raw");
        platform::VirtualClock clock;
        testing::internal::CaptureStderr();
        {
            platform::SdlAudioOutput output;
            platform::SdlToneDevice device(output, clock);
            EXPECT_EQ(device.SampleRate(), 0u);
            for (unsigned milliseconds : {150u, 0u, 2500u}) {
                const std::uint64_t before = clock.ElapsedMs();
                device.Beep(440, milliseconds);
                EXPECT_EQ(clock.ElapsedMs() - before, milliseconds);
            }
        }
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find("sound effects are silent"), std::string::npos) << said;
    }
}

TEST_F(SdlToneDeviceTest, QueueStaysShortWhenTheDeviceFallsBehind) {
    // Sleeps that take no time: the device falls ever further behind the caller.
    platform::VirtualClock clock;
    {
        platform::SdlAudioOutput output;
        platform::SdlToneDevice device(output, clock);
        ASSERT_GT(device.SampleRate(), 0u);
        unsigned most = 0;
        for (int i = 0; i < 50; ++i) {
            device.Beep(440, 100);
            most = std::max(most, device.QueuedMilliseconds());
        }
        EXPECT_LT(most, 500u);
        device.Beep(440, 60000);
        EXPECT_LT(device.QueuedMilliseconds(), 1500u);
        EXPECT_EQ(clock.ElapsedMs(), 50u * 100u + 60000u);
    }
}

// SDL's threads for an output device, by the names SDL gives them.
int SdlAudioThreads() {
    int threads = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        threads += std::getline(comm, name) && name.rfind("SDLAudio", 0) == 0;
    }
    return threads;
}

// SDL's thread for an open device wakes for every period even with nothing to play: in a
// paused or ended game it must not run, yet the next tone plays in full. Nor may SDL take
// SIGTERM and SIGINT, which it would only turn into a quit event nobody reads.
TEST_F(SdlToneDeviceTest, DeviceLeavesTheSignalsAloneAndClosesWhileIdle) {
    platform::SystemClock clock;
    unsigned rate = 0;
    {
        platform::SdlAudioOutput output;
        platform::SdlToneDevice device(output, clock, 50ms);
        rate = device.SampleRate();
        ASSERT_GT(rate, 0u);
        for (int signalNumber : {SIGTERM, SIGINT}) {
            struct sigaction action {};
            sigaction(signalNumber, nullptr, &action);
            EXPECT_EQ(action.sa_handler, SIG_DFL) << signalNumber;
        }
        device.Beep(330, 20);
        for (int i = 0; i < 500 && SdlAudioThreads() > 0; ++i) std::this_thread::sleep_for(10ms);
        EXPECT_EQ(SdlAudioThreads(), 0);

        device.Beep(660, 30);
        EXPECT_EQ(SdlAudioThreads(), 1);
        for (int i = 0; i < 500 && SdlAudioThreads() > 0; ++i) std::this_thread::sleep_for(10ms);
    }
    // The disk device starts its file afresh when it opens: what is there is the second tone.
    const std::vector<std::int16_t> samples = TakeLeftChannel(file_);
    const std::vector<Span> spans = SoundSpans(samples);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(spans[0].end - spans[0].begin, SamplesFor(rate, 30), 1);
    EXPECT_NEAR(Pitch(samples, spans[0], rate), 660, 6.6);
}

// exit() (Qt calls it when the X connection breaks) tears down statics but leaves the tone device
// and SDL's audio thread running: SDL's code must stay mapped to the very end.
TEST(SdlToneDeviceDeathTest, SdlStaysLoadedThroughExit) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Registered before SDL is loaded, so it runs after every static made since.
            std::atexit([] { std::_Exit(dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD) ? 0 : 1); });
            UseDriver("dummy", TempFile("exit.raw"));
            // Never destroyed, as the program's, which lives on main's stack.
            auto* device =
                new platform::SdlToneDevice(*new platform::SdlAudioOutput, *new platform::VirtualClock);
            if (device->SampleRate() == 0) std::_Exit(2);
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
