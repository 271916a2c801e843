// The music's real path: FluidSynth renders a song of our own beside a tone through
// SDL's disk driver, and the song's end reaches the window's thread; without a
// soundfont the songs are silent but still end; and what the player does without
// its sound thread: errors, and the report of a song closed while it plays.

#include "platform/linux/FluidSynthMusicPlayer.h"

#include "platform/linux/SdlAudioOutput.h"
#include "platform/linux/SdlToneDevice.h"
#include "platform/linux/SystemClock.h"
#include "tests/support/DiskAudio.h"
#include "tests/support/MidiBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::MusicDeviceId;

// The window's thread, played by the test: work handed over waits here until the test runs it.
class MainThread {
public:
    void Post(std::function<void()> work) {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    // Runs what arrives until done() holds, or a generous while has passed.
    void RunUntil(const std::function<bool()>& done) {
        for (const auto giveUp = std::chrono::steady_clock::now() + 60s;
             !done() && std::chrono::steady_clock::now() < giveUp; std::this_thread::sleep_for(5ms)) {
            std::unique_lock lock(mutex_);
            auto work = std::exchange(queue_, {});
            lock.unlock();
            for (auto& job : work) job();
        }
    }

private:
    std::mutex mutex_;
    std::vector<std::function<void()>> queue_;
};

struct Notification {
    platform::WPARAM code;
    platform::LPARAM device;
    friend bool operator==(const Notification&, const Notification&) = default;
};

class RecordingWindow final : public platform::Window {
public:
    platform::Rect GetWindowRect() const override { return {}; }
    platform::Rect GetClientRect() const override { return {}; }
    bool MoveTo(int, int) override { return true; }
    bool MoveWindow(const platform::Rect&, bool) override { return true; }
    bool ShowWindow(platform::ShowCommand) override { return true; }
    std::string GetWindowText() const override { return {}; }
    bool SetWindowText(std::string_view) override { return true; }
    bool EnableWindow(bool) override { return true; }
    bool IsWindowEnabled() const override { return true; }
    bool SetFocus() override { return true; }
    bool InvalidateRect(const platform::Rect*, bool) override { return true; }
    bool PostMessage(platform::Msg message, platform::WPARAM wParam, platform::LPARAM lParam) override {
        if (message == platform::Msg::MusicNotify) notifications.push_back({wParam, lParam});
        return true;
    }
    std::vector<Notification> notifications;
};

// A second of our own: a C major arpeggio of quavers on the piano at 120 beats a minute, then
// a quaver's rest.
Bytes ShortSong() {
    Bytes events = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x00};
    for (std::uint8_t key : {60, 64, 67, 72}) Append(events, {0x00, 0x90, key, 0x64, 0x30, 0x80, key, 0x00});
    Append(events, {0x30, 0xFF, 0x2F, 0x00});
    return File(0, 1, 0x60, {Track(events)});
}

std::string WriteFile(const std::string& name, const Bytes& bytes) {
    const std::string path = TempFile(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// How strongly a frequency sounds in the loudest tenth of a second, as the amplitude of its sine
// (Goertzel's filter).
double StrongestAt(const std::vector<std::int16_t>& samples, double frequency, double rate) {
    const std::size_t window = static_cast<std::size_t>(rate / 10);
    const double coefficient = 2 * std::cos(2 * M_PI * frequency / rate);
    double strongest = 0;
    for (std::size_t start = 0; start + window <= samples.size(); start += window / 2) {
        double previous = 0;
        double before = 0;
        for (std::size_t i = start; i < start + window; ++i) {
            const double next = samples[i] + coefficient * previous - before;
            before = previous;
            previous = next;
        }
        const double power = previous * previous + before * before - coefficient * previous * before;
        strongest = std::max(strongest, 2 * std::sqrt(power) / window);
    }
    return strongest;
}

// Each test's song, the disk device's file, the window and its thread; the files go after.
class FluidSynthMusicPlayerTest : public testing::Test {
protected:
    void SetUp() override { UseDriver("disk", out_); }
    void TearDown() override {
        fs::remove(song_);
        fs::remove(out_);
    }
    std::function<void(std::function<void()>)> ToMain() {
        return [this](auto work) { main_.Post(std::move(work)); };
    }

    const std::string song_ = WriteFile("song.mid", ShortSong());
    const std::string out_ = TempFile("music.raw");
    MainThread main_;
    RecordingWindow window_;
};

// The song renders through the output the tones share (SDL's disk and dummy drivers open one
// device at a time), both sound, and the song's end reaches the window's thread.
TEST_F(FluidSynthMusicPlayerTest, ASongSoundsWithTheTonesAndItsEndReachesTheWindow) {
    platform::SystemClock clock;
    testing::internal::CaptureStderr();
    {
        platform::SdlAudioOutput output;
        platform::SdlToneDevice tones(output, clock);
        platform::FluidSynthMusicPlayer player(output, ToMain());
        MusicDeviceId device = 0;
        ASSERT_EQ(player.Open(song_, device), 0u);
        ASSERT_EQ(player.Play(device, &window_), 0u);
        player.Start();
        tones.Beep(440, 600);
        main_.RunUntil([&] { return !window_.notifications.empty(); });
        EXPECT_EQ(window_.notifications,
                  (std::vector<Notification>{
                      {platform::MCI_NOTIFY_SUCCESSFUL, static_cast<platform::LPARAM>(device)}}));
        // Closed once it has ended, it reports nothing more.
        EXPECT_EQ(player.Close(device), 0u);
        EXPECT_EQ(window_.notifications.size(), 1u);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("silent"), std::string::npos) << said;
    const std::vector<std::int16_t> samples = TakeLeftChannel(out_);
    // Full scale is 32767. The square wave's fundamental is 4/pi of its height, 8192; the song
    // opens on middle C.
    EXPECT_GT(StrongestAt(samples, 440, 48000), 5000.0);
    EXPECT_GT(StrongestAt(samples, 261.6, 48000), 300.0);
}

TEST_F(FluidSynthMusicPlayerTest, WithoutASoundfontSongsAreSilentYetEndAndTheReasonIsToldOnce) {
    testing::internal::CaptureStderr();
    {
        platform::SdlAudioOutput output;
        platform::FluidSynthMusicPlayer player(output, ToMain(), {"/nonexistent/default-GM.sf2"});
        player.Start();
        for (int round = 1; round <= 2; ++round) {
            MusicDeviceId device = 0;
            ASSERT_EQ(player.Open(song_, device), 0u);
            ASSERT_EQ(player.Play(device, &window_), 0u);
            main_.RunUntil([&] { return window_.notifications.size() == static_cast<std::size_t>(round); });
            EXPECT_EQ(window_.notifications.back().code, platform::MCI_NOTIFY_SUCCESSFUL);
            player.Close(device);
        }
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::ranges::count(said, '\n'), 1) << said;
    EXPECT_NE(said.find("timgm6mb-soundfont"), std::string::npos) << said;
    // No device was opened: nothing was written.
    EXPECT_FALSE(fs::exists(out_));
}

// Without its sound thread the player still opens, refuses and reports as the window expects.
TEST_F(FluidSynthMusicPlayerTest, OpeningRefusesWhatIsNoSongAndClosingAPlayingSongReportsItAborted) {
    const std::string text = WriteFile("text.mid", {'n', 'o', 't', ' ', 'M', 'I', 'D', 'I'});
    platform::SdlAudioOutput output;
    platform::FluidSynthMusicPlayer player(output, [](auto) { FAIL() << "no song may end"; });
    MusicDeviceId device = 0;
    EXPECT_EQ(player.Open(TempFile("missing.mid"), device), platform::MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(player.Open("", device), platform::MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(player.Open(text, device), platform::MCIERR_INVALID_FILE);
    EXPECT_EQ(player.Close(0), platform::MCIERR_INVALID_DEVICE_ID);

    ASSERT_EQ(player.Open(song_, device), 0u);
    EXPECT_NE(device, 0u);
    ASSERT_EQ(player.Play(device, &window_), 0u);
    EXPECT_EQ(player.Close(device), 0u);
    EXPECT_EQ(player.Close(device), platform::MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(player.Play(device, &window_), platform::MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(
        window_.notifications,
        (std::vector<Notification>{{platform::MCI_NOTIFY_ABORTED, static_cast<platform::LPARAM>(device)}}));
    fs::remove(text);
}

}  // namespace
