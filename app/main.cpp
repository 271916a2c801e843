// Deckfall's entry point on Linux: the Linux services behind the platform
// interfaces and the one main window, then the game's own start-up.

#include "app/CMainWindow.h"
#include "diag/Diagnostics.h"
#include "platform/Services.h"
#include "platform/linux/DlModuleLoader.h"
#include "platform/linux/FluidSynthMusicPlayer.h"
#include "platform/linux/ProgramFolders.h"
#include "platform/linux/SdlAudioOutput.h"
#include "platform/linux/SdlToneDevice.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "platform/linux/SystemClock.h"
#include "platform/qt/FlushingClock.h"
#include "platform/qt/QtColorPicker.h"
#include "platform/qt/QtDocumentOpener.h"
#include "platform/qt/QtHost.h"

namespace {

// Constructed before the entry point runs and destroyed at exit, as the design has it.
CMainWindow mainWindow;

}  // namespace

int main(int argc, char* argv[]) {
    // Before anything that could fault: the Qt host, the store and the sound devices all load
    // libraries of the system.
    InitDiagnostics();
    // The songs and the help are opened by bare names, wherever the program was started from.
    const auto folders = platform::RunningProgramFolders();
    platform::EnterDataFolder(folders);
    if (!platform::QtHost::CheckDisplay()) return 1;
    platform::QtHost host(argc, argv);
    platform::SystemClock systemClock;
    platform::FlushingClock clock(systemClock);
    const auto settings = platform::SqliteSettingsStore::Open(platform::SqliteSettingsStore::DefaultPath());
    // The tones and the music share one output device, which mixes them.
    platform::SdlAudioOutput output;
    platform::SdlToneDevice tones(output, clock);
    platform::FluidSynthMusicPlayer music(
        output, [&host](std::function<void()> work) { host.RunOnMainThread(std::move(work)); });
    // The sound system and the synthesiser load beside the program once its first frame is out.
    host.AfterFirstFrame([&tones, &music] {
        tones.OpenInBackground();
        music.Start();
    });
    platform::DlModuleLoader modules(folders.library);
    platform::QtColorPicker colors;
    platform::QtDocumentOpener documents;
    const platform::ScopedServices services({.desktop = &host.GetDesktop(),
                                             .settings = settings.get(),
                                             .clock = &clock,
                                             .tones = &tones,
                                             .modules = &modules,
                                             .music = &music,
                                             .colors = &colors,
                                             .documents = &documents});

    // The command line is not used.
    const int exitCode = WinMain(platform::ShowCommand::Normal);
    // However the loop ended, the card library's Qt objects go while the application stands.
    mainWindow.cardLibrary.Unload();
    return exitCode;
}
