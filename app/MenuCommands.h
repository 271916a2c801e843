#pragma once
// The commands of the menu bar that open the program's dialogs, show the help
// document and leave the program. Every dialog pauses the game while it is open;
// afterwards the game runs again unless it is over, also when it had been paused
// with F3 before.

#include "platform/DialogTemplate.h"
#include "platform/Window.h"

class CMainWindow;

// The About, welcome and high-score commands: the dialog, modal over the window.
void DialogCommand(CMainWindow& app, platform::Window* window, int templateId,
                   platform::DialogProc procedure);
// The options; a rule, colour or welcome box changed starts a new game at once, and
// music switched on or off starts or stops at once.
void OptionsCommand(CMainWindow& app, platform::Window* window);
// Opens the help document from the current folder; the game is not paused for it.
void HelpCommand();
// Leaves at once, without writing the settings.
void ExitCommand(platform::Window* window);
