#include "platform/linux/FluidSynthMusicPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>

#include "platform/linux/FluidSynthLibrary.h"
#include "platform/linux/MidiFile.h"
#include "platform/linux/SdlAudioOutput.h"

namespace platform {

namespace {

using Steady = std::chrono::steady_clock;

// The songs peak near a third of full scale and sit well under the tones' square waves, whose
// level is a quarter of it throughout.
constexpr double kGain = 1.0;
// After a song's last event FluidSynth plays on until its voices have died away and then a
// little longer for the reverb; a silent song is given as long.
constexpr auto kRingOut = std::chrono::seconds(2);
// Songs are a few kilobytes; a file past this is no song.
constexpr std::uintmax_t kLargestSong = 16 << 20;

struct SettingsDeleter {
    const FluidSynthLibrary* fluid;
    void operator()(fluid_settings_t* settings) const { fluid->DeleteSettings(settings); }
};
struct SynthDeleter {
    const FluidSynthLibrary* fluid;
    void operator()(fluid_synth_t* synth) const { fluid->DeleteSynth(synth); }
};
struct PlayerDeleter {
    const FluidSynthLibrary* fluid;
    void operator()(fluid_player_t* player) const { fluid->DeletePlayer(player); }
};

std::vector<std::filesystem::path> DataFolders() {
    // The XDG base directories, the user's own first.
    std::vector<std::filesystem::path> folders;
    const char* home = std::getenv("XDG_DATA_HOME");
    const char* user = std::getenv("HOME");
    if (home && *home)
        folders.emplace_back(home);
    else if (user && *user)
        folders.push_back(std::filesystem::path(user) / ".local/share");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream list(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    for (std::string folder; std::getline(list, folder, ':');)
        if (!folder.empty()) folders.emplace_back(folder);
    return folders;
}

}  // namespace

// The synthesiser and what it plays. The sound thread sets them up; what the output's
// renderer reads changes only under the output's music lock.
struct FluidSynthMusicPlayer::Sound {
    const FluidSynthLibrary* fluid = nullptr;
    bool holding = false;  // the output is held for the music
    // Destroyed player first, settings last, once the output renders them no more.
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings{nullptr, {nullptr}};
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth{nullptr, {nullptr}};
    std::unique_ptr<fluid_player_t, PlayerDeleter> player{nullptr, {nullptr}};
    std::uint64_t play = 0;  // the play being rendered, until its end is told
};

FluidSynthMusicPlayer::FluidSynthMusicPlayer(SdlAudioOutput& output, MainThreadPost toMainThread,
                                             std::vector<std::filesystem::path> soundfonts,
                                             std::chrono::milliseconds idleClose)
    : output_(output),
      toMainThread_(std::move(toMainThread)),
      soundfonts_(std::move(soundfonts)),
      idleClose_(idleClose),
      self_(std::make_shared<FluidSynthMusicPlayer*>(this)),
      sound_(std::make_unique<Sound>()) {}

FluidSynthMusicPlayer::~FluidSynthMusicPlayer() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
    if (sound_->synth) output_.SetMusic(nullptr, nullptr);
}

std::vector<std::filesystem::path> FluidSynthMusicPlayer::Soundfonts() {
    // Debian points default-GM at the General MIDI soundfont installed (timgm6mb-soundfont,
    // fluid-soundfont-gm and others), through its alternatives.
    std::vector<std::filesystem::path> paths;
    for (const auto& folder : DataFolders())
        for (const char* name : {"sounds/sf2/default-GM.sf2", "sounds/sf3/default-GM.sf3",
                                 "sounds/sf2/TimGM6mb.sf2", "soundfonts/default.sf2"})
            paths.push_back(folder / name);
    return paths;
}

void FluidSynthMusicPlayer::Start() {
    const std::lock_guard lock(mutex_);
    if (started_) return;
    started_ = true;
    thread_ = std::thread([this] { Run(); });
}

std::uint32_t FluidSynthMusicPlayer::Open(std::string_view file, MusicDeviceId& device) {
    const std::filesystem::path path(file);
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(path, error)) return MCIERR_FILE_NOT_FOUND;
    if (std::filesystem::file_size(path, error) > kLargestSong || error) return MCIERR_INVALID_FILE;
    std::ifstream in(path, std::ios::binary);
    if (!in) return MCIERR_FILE_NOT_FOUND;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto song = MidiFile::Parse(std::move(bytes));
    if (!song) return MCIERR_INVALID_FILE;
    device = ++lastId_;
    devices_[device] = {std::make_shared<const MidiFile>(std::move(*song))};
    return 0;
}

std::uint32_t FluidSynthMusicPlayer::Play(MusicDeviceId id, Window* window) {
    const auto found = devices_.find(id);
    if (found == devices_.end()) return MCIERR_INVALID_DEVICE_ID;
    Device& device = found->second;
    // Playing again from the start cuts the play before it short.
    if (device.window) Report(id, device, MCI_NOTIFY_ABORTED);
    device.window = window;
    device.play = ++lastPlay_;
    Want({device.play, device.song});
    return 0;
}

std::uint32_t FluidSynthMusicPlayer::Close(MusicDeviceId id) {
    const auto found = devices_.find(id);
    if (found == devices_.end()) return MCIERR_INVALID_DEVICE_ID;
    Device& device = found->second;
    if (device.window) Report(id, device, MCI_NOTIFY_ABORTED);
    {
        const std::lock_guard lock(mutex_);
        if (device.play != 0 && wanted_.play == device.play) wanted_ = {};
    }
    changed_.notify_all();
    devices_.erase(found);
    return 0;
}

void FluidSynthMusicPlayer::Report(MusicDeviceId id, Device& device, MusicNotifyCode code) {
    std::exchange(device.window, nullptr)->PostMessage(Msg::MusicNotify, code, static_cast<LPARAM>(id));
}

void FluidSynthMusicPlayer::OnSongEnded(std::uint64_t play) {
    for (auto& [id, device] : devices_)
        if (device.play == play && device.window) Report(id, device, MCI_NOTIFY_SUCCESSFUL);
}

void FluidSynthMusicPlayer::Want(Wanted wanted) {
    {
        const std::lock_guard lock(mutex_);
        wanted_ = std::move(wanted);
    }
    changed_.notify_all();
}

void FluidSynthMusicPlayer::Run() {
    std::unique_lock lock(mutex_);
    bool loaded = false;
    bool timed = false;  // the song's end comes from its length, not from the synthesiser
    Steady::time_point endsAt;
    Steady::time_point idleSince;
    while (!stopping_) {
        if (wanted_.play != current_) {
            // The synthesiser waits for the first song: with the music off it is never loaded.
            if (!loaded) {
                lock.unlock();
                Load();
                lock.lock();
                loaded = true;
                continue;
            }
            const Wanted next = wanted_;
            lock.unlock();
            const bool audible = Switch(next);
            lock.lock();
            current_ = next.play;
            reported_ = false;
            timed = !audible;
            const auto now = Steady::now();
            if (next.song) endsAt = now + next.song->Length() + kRingOut;
            idleSince = now;
            continue;
        }
        if (current_ != 0 && !reported_ && (finished_ == current_ || (timed && Steady::now() >= endsAt))) {
            reported_ = true;
            toMainThread_([self = std::weak_ptr(self_), play = current_] {
                if (const auto player = self.lock()) (*player)->OnSongEnded(play);
            });
            continue;
        }
        if (current_ != 0 && !reported_ && timed) {
            changed_.wait_until(lock, endsAt);
        } else if (current_ == 0 && sound_->holding) {
            if (Steady::now() < idleSince + idleClose_) {
                changed_.wait_until(lock, idleSince + idleClose_);
            } else {
                lock.unlock();
                CloseOutput();
                lock.lock();
            }
        } else {
            changed_.wait(lock);
        }
    }
    lock.unlock();
    CloseOutput();
}

void FluidSynthMusicPlayer::Load() {
    Sound& s = *sound_;
    s.fluid = FluidSynthLibrary::Get();
    if (!s.fluid)
        return GoSilent(
            "the FluidSynth library (libfluidsynth.so.3) cannot be loaded; install the package "
            "libfluidsynth3");
    std::filesystem::path soundfont;
    for (const auto& path : soundfonts_) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            soundfont = path;
            break;
        }
    }
    if (soundfont.empty())
        return GoSilent(
            "no General MIDI soundfont was found (" +
            (soundfonts_.empty() ? std::string("none looked for") : soundfonts_.front().string()) +
            " and the other usual places); install the package timgm6mb-soundfont");

    s.settings = {s.fluid->NewSettings(), {s.fluid}};
    if (!s.settings) return GoSilent("FluidSynth cannot start");
    fluid_settings_t* settings = s.settings.get();
    s.fluid->SetNum(settings, "synth.sample-rate", SdlAudioOutput::kRate);
    s.fluid->SetNum(settings, "synth.gain", kGain);
    // The songs' time is the samples rendered, so a song keeps its tempo whatever the device does.
    s.fluid->SetStr(settings, "player.timing-source", "sample");
    // One core and no chorus: the songs ask for none, and the game's CPU stays small.
    s.fluid->SetInt(settings, "synth.cpu-cores", 1);
    s.fluid->SetInt(settings, "synth.chorus.active", 0);
    s.fluid->SetInt(settings, "synth.polyphony", 64);
    // Locking the soundfont's samples into memory would count them all as resident at once.
    s.fluid->SetInt(settings, "synth.lock-memory", 0);
    s.synth = {s.fluid->NewSynth(settings), {s.fluid}};
    if (!s.synth) return GoSilent("FluidSynth's synthesiser cannot start");
    if (s.fluid->SoundfontLoad(s.synth.get(), soundfont.c_str(), 1) == FLUID_FAILED)
        return GoSilent(soundfont.string() +
                        " cannot be read as a soundfont; install the package timgm6mb-soundfont");
    output_.SetMusic(&FluidSynthMusicPlayer::Render, this);
}

bool FluidSynthMusicPlayer::Switch(const Wanted& next) {
    Sound& s = *sound_;
    if (silent_) return false;
    if (!next.song) {
        if (!s.holding) return false;
        // Stopped at once: nothing is rendered without a player.
        const auto lock = output_.LockMusic();
        s.player.reset();
        s.play = 0;
        s.fluid->AllSoundsOff(s.synth.get(), -1);
        return false;
    }
    if (!s.holding && !OpenOutput()) return false;
    // The player hooks into the synthesiser's rendering: made and dropped while the output
    // cannot render.
    const auto lock = output_.LockMusic();
    s.player.reset();
    s.player = {s.fluid->NewPlayer(s.synth.get()), {s.fluid}};
    const std::vector<std::uint8_t>& bytes = next.song->Bytes();
    const bool playing = s.player &&
                         s.fluid->PlayerAddMem(s.player.get(), bytes.data(), bytes.size()) == FLUID_OK &&
                         s.fluid->PlayerPlay(s.player.get()) == FLUID_OK;
    if (playing) {
        s.play = next.play;
    } else {
        // FluidSynth refused what the check let through: the song is timed by its length.
        s.player.reset();
        s.play = 0;
    }
    return playing;
}

bool FluidSynthMusicPlayer::OpenOutput() {
    std::string failure;
    if (!output_.Hold(SdlAudioOutput::User::Music, failure)) {
        GoSilent(failure);
        return false;
    }
    sound_->holding = true;
    return true;
}

void FluidSynthMusicPlayer::CloseOutput() {
    Sound& s = *sound_;
    if (!s.holding) return;
    {
        const auto lock = output_.LockMusic();
        s.player.reset();
        s.play = 0;
    }
    output_.Release(SdlAudioOutput::User::Music);
    s.holding = false;
}

void FluidSynthMusicPlayer::GoSilent(const std::string& reason) {
    std::fprintf(stderr, "deckfall: the music is silent: %s\n", reason.c_str());
    const std::lock_guard lock(mutex_);
    silent_ = true;
}

void FluidSynthMusicPlayer::Render(void* userdata, std::int16_t* stereo, int frames) {
    auto& self = *static_cast<FluidSynthMusicPlayer*>(userdata);
    Sound& s = *self.sound_;
    if (!s.player) {
        std::memset(stereo, 0,
                    static_cast<std::size_t>(frames) * SdlAudioOutput::kChannels * sizeof(std::int16_t));
        return;
    }
    s.fluid->WriteS16(s.synth.get(), frames, stereo, 0, 2, stereo, 1, 2);
    if (s.play == 0 || s.fluid->PlayerGetStatus(s.player.get()) != FLUID_PLAYER_DONE) return;
    {
        const std::lock_guard lock(self.mutex_);
        self.finished_ = s.play;
    }
    self.changed_.notify_all();
    s.play = 0;
}

}  // namespace platform
