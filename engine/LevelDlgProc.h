#pragma once
// The level dialog: a rising run of tones, then it closes itself after a second.

#include "platform/DialogTemplate.h"

std::intptr_t LevelDlgProc(platform::Window* dialog, platform::Msg message, platform::WPARAM wParam,
                           platform::LPARAM lParam);
