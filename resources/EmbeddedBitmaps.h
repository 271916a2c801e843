#pragma once
// The BMP files of resources/bitmaps, compiled into the program; each file is
// named after its resource identifier ("169-slot-ring.bmp").

#include <cstdint>
#include <span>

// The file's bytes; empty when no bitmap has that identifier.
std::span<const std::uint8_t> EmbeddedBitmapFile(int id);
