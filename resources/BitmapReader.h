#pragma once
// Reads a Windows BMP file held in memory: uncompressed, 1, 4 or 8 bits through a
// palette, or 24 or 32 bits direct, bottom-up or top-down.

#include <cstdint>
#include <span>

#include "platform/Image.h"

// The picture, opaque; a null image when the bytes are not such a file.
platform::Image ReadBitmap(std::span<const std::uint8_t> file);
