#pragma once
// Small helpers shared across the program.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Window.h"

// Shows the text of the last failed system call in a box captioned "Deckfall".
void ShowLastError();
// Centres a window over its parent, keeping its size; nothing without a parent.
void CenterOnParent(platform::Window* window);
// A random integer from low to high − 1, drawn from the seeded generator; the
// exclusive bound comes first. Low is drawn with twice the weight of the others.
std::int32_t RandomInt(std::uint32_t high, std::int32_t low);
// The text of a dialog control, cut to bufferSize − 1 characters; empty when the control is missing.
void GetItemText(platform::Window* dialog, int id, std::string& buffer, std::size_t bufferSize);
void SetItemText(platform::Window* dialog, int id, std::string_view text);
// A dialog's OK or Cancel (the command's identifier in wParam) ends it with that result: true
// when it did, false for any other command.
bool EndDialogOnOkOrCancel(platform::Window* dialog, platform::WPARAM wParam);
