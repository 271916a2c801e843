#pragma once
// The About dialog (dialog 103): the version line and the program icon.

#include "platform/DialogTemplate.h"

std::intptr_t AboutDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                           platform::LPARAM lParam);
