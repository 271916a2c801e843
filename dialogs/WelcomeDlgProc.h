#pragma once
// The welcome dialog (dialog 135): the instructions and the pay table, shown at
// start-up while the welcome box is ticked in the options, and from the menu.

#include "platform/DialogTemplate.h"

std::intptr_t WelcomeDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                             platform::LPARAM lParam);
