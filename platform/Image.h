#pragma once
// A plain picture in memory: 32-bit pixels 0xAARRGGBB, row by row. It carries
// resource bitmaps into the platform and pixels out of a headless back buffer.

#include <cstdint>
#include <vector>

#include "platform/Types.h"

namespace platform {

class Image {
public:
    Image() = default;
    Image(int width, int height, std::uint32_t fill = 0xFF000000u)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsNull() const { return pixels_.empty(); }

    std::uint32_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, std::uint32_t argb) { pixels_[Index(x, y)] = argb; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    const std::uint32_t* Row(int y) const { return pixels_.data() + Index(0, y); }
    std::uint32_t* Row(int y) { return pixels_.data() + Index(0, y); }
    const std::uint32_t* Data() const { return pixels_.data(); }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The opaque 0xFFRRGGBB pixel of a colour reference.
constexpr std::uint32_t ArgbOf(ColorRef c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
           (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}

}  // namespace platform
