#pragma once
// The icon pictures compiled into the host: pixels rendered at build time from the
// drawings in resources/icons (resources/icons/Icons.cmake), one per resource and size.

#include <cstdint>
#include <span>

namespace platform {

struct EmbeddedIcon {
    int id = 0;    // the icon resource
    int size = 0;  // width and height in pixels
    std::span<const std::uint32_t> pixels;  // premultiplied 0xAARRGGBB, row by row
};

// Every picture, ordered by resource and then by size, smallest first.
std::span<const EmbeddedIcon> EmbeddedIcons();

}  // namespace platform
