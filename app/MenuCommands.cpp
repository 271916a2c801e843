#include "app/MenuCommands.h"

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "app/Utilities.h"
#include "dialogs/COptionsDlg.h"
#include "platform/Services.h"
#include "resources/DialogTemplates.h"

namespace {

constexpr const char* kHelpDocument = "DeckfallHelp.htm";

std::intptr_t RunDialog(platform::Window* window, int templateId, platform::DialogProc procedure) {
    const platform::DialogTemplate* dialog = FindDialogTemplate(templateId);
    if (!dialog) {
        ShowLastError();
        return -1;
    }
    return platform::Current().desktop->DialogBoxParam(*dialog, window, procedure, 0);
}

void ResumeUnlessOver(CMainWindow& app, platform::Window* window) {
    if (app.paused && !app.gameOver) app.SetPaused(window, false);
}

}  // namespace

void DialogCommand(CMainWindow& app, platform::Window* window, int templateId,
                   platform::DialogProc procedure) {
    if (!app.paused) app.SetPaused(window, true);
    RunDialog(window, templateId, procedure);
    ResumeUnlessOver(app, window);
}

void OptionsCommand(CMainWindow& app, platform::Window* window) {
    if (!app.paused) app.SetPaused(window, true);
    const std::int32_t music = GameOptions.Music;
    if (RunDialog(window, IDD_OPTIONS, OptionsDlgProc) == platform::IDOK) {
        // Counted as over, the old game goes without a question, a high-score test or a
        // play-again offer.
        app.gameOver = 1;
        app.NewGame(window);
    }
    if (GameOptions.Music != music) {
        if (GameOptions.Music)
            app.PlayNextSong(window);
        else
            app.StopMusic();
    }
    ResumeUnlessOver(app, window);
}

void HelpCommand() {
    if (!platform::Current().documents || !platform::Current().documents->Open(kHelpDocument))
        ShowLastError();
}

void ExitCommand(platform::Window* window) {
    window->DestroyWindow();
}
