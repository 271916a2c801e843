#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/MusicPlayer.h"

namespace platform {

class MidiFile;
class SdlAudioOutput;

// Songs played by FluidSynth with a General MIDI soundfont, mixed with the tones
// on the program's SDL output. Opening reads and checks the file on the caller's
// thread; the synthesiser and the soundfont belong to a sound thread, which
// loads them when the first song is wanted and once Start has been called.
//
// The end of a song is handed to the window's thread through toMainThread and
// posted there. Without FluidSynth, a soundfont or an audio device the songs are
// silent (one line on stderr says why) and end after their length all the same.
// With nothing to play the music lets the output go after idleClose, so music
// switched off leaves no thread of SDL waking.
class FluidSynthMusicPlayer final : public MusicPlayer {
public:
    using MainThreadPost = std::function<void(std::function<void()>)>;

    FluidSynthMusicPlayer(SdlAudioOutput& output, MainThreadPost toMainThread,
                          std::vector<std::filesystem::path> soundfonts = Soundfonts(),
                          std::chrono::milliseconds idleClose = std::chrono::seconds(1));
    ~FluidSynthMusicPlayer() override;
    FluidSynthMusicPlayer(const FluidSynthMusicPlayer&) = delete;
    FluidSynthMusicPlayer& operator=(const FluidSynthMusicPlayer&) = delete;

    std::uint32_t Open(std::string_view file, MusicDeviceId& device) override;
    std::uint32_t Play(MusicDeviceId device, Window* window) override;
    std::uint32_t Close(MusicDeviceId device) override;

    // Lets the sound thread begin; songs played before then start once it has loaded.
    void Start();
    // Where a General MIDI soundfont is looked for, in order: Debian's alternatives first.
    static std::vector<std::filesystem::path> Soundfonts();

private:
    struct Sound;
    // A song as the sound thread is asked for it; play 0 is silence.
    struct Wanted {
        std::uint64_t play = 0;
        std::shared_ptr<const MidiFile> song;
    };
    struct Device {
        std::shared_ptr<const MidiFile> song;
        Window* window = nullptr;  // while its play awaits its report
        std::uint64_t play = 0;
    };

    // The window's thread.
    void Report(MusicDeviceId id, Device& device, MusicNotifyCode code);
    void OnSongEnded(std::uint64_t play);
    void Want(Wanted wanted);

    // The sound thread.
    void Run();
    void Load();
    // Sets the device playing next, or silent; false when next is not rendered.
    bool Switch(const Wanted& next);
    bool OpenOutput();
    void CloseOutput();
    void GoSilent(const std::string& reason);
    static void Render(void* self, std::int16_t* stereo, int frames);

    SdlAudioOutput& output_;
    const MainThreadPost toMainThread_;
    const std::vector<std::filesystem::path> soundfonts_;
    const std::chrono::milliseconds idleClose_;

    std::map<MusicDeviceId, Device> devices_;
    MusicDeviceId lastId_ = 0;
    std::uint64_t lastPlay_ = 0;
    // Reports on their way to the window's thread find the player gone once this is.
    std::shared_ptr<FluidSynthMusicPlayer*> self_;

    // Shared by the window's thread, the sound thread and SDL's callback.
    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;
    bool stopping_ = false;
    bool silent_ = false;
    Wanted wanted_;
    std::uint64_t current_ = 0;   // the play the sound thread has set up
    std::uint64_t finished_ = 0;  // the last play SDL's callback rendered to its end
    bool reported_ = false;       // the end of current_ has gone to the window's thread

    // The sound thread's own, and the output's renderer's under the music lock.
    std::unique_ptr<Sound> sound_;
    std::thread thread_;
};

}  // namespace platform
