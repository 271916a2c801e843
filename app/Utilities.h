#pragma once
// Small helpers shared across the program.

#include <cstdint>

#include "platform/Window.h"

// Shows the text of the last failed system call in a box captioned "Deckfall".
void ShowLastError();
// Centres a window over its parent, keeping its size; nothing without a parent.
void CenterOnParent(platform::Window* window);
// A random integer from low to high − 1, drawn from the seeded generator; the
// exclusive bound comes first. Low is drawn with twice the weight of the others.
std::int32_t RandomInt(std::uint32_t high, std::int32_t low);
