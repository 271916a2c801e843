#pragma once
// The program's resources, compiled in: strings, the menu bar and the
// accelerator table.

#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Image.h"

// The string with that identifier, cut to bufferSize − 1 characters; empty when there is none.
std::string LoadResourceString(int id, std::size_t bufferSize);
// The menu bar with that identifier; empty when there is none.
std::vector<platform::Menu> LoadMenuResource(int id);
// The accelerator table with that identifier; nothing when there is none.
std::optional<std::vector<platform::Accelerator>> LoadAcceleratorResource(int id);
// The bitmap with that identifier; a null image when there is none.
platform::Image LoadBitmapResource(int id);
