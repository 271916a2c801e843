#include "resources/BitmapReader.h"

#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::int64_t kLargestSide = 1 << 14;

std::uint32_t U16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}
std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return U16(bytes, at) | U16(bytes, at + 2) << 16;
}
std::uint32_t Opaque(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xFF000000u | static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 |
           blue;
}

}  // namespace

platform::Image ReadBitmap(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return {};
    const std::uint32_t pixelOffset = U32(file, 10);
    const std::uint32_t headerSize = U32(file, 14);
    const auto width = static_cast<std::int32_t>(U32(file, 18));
    const auto height = static_cast<std::int32_t>(U32(file, 22));
    const std::uint32_t bits = U16(file, 28);
    const std::uint32_t compression = U32(file, 30);
    const std::uint32_t coloursUsed = U32(file, 46);
    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (headerSize < kInfoHeaderSize || compression != kUncompressed || width <= 0 || width > kLargestSide ||
        rows == 0 || rows > kLargestSide)
        return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};

    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::uint32_t entries = coloursUsed ? coloursUsed : 1u << bits;
        const std::size_t start = kFileHeaderSize + headerSize;
        if (entries > 1u << bits || start + std::size_t{4} * entries > file.size()) return {};
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::size_t at = start + std::size_t{4} * i;
            palette.push_back(Opaque(file[at + 2], file[at + 1], file[at]));
        }
    }

    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (pixelOffset > file.size() || (file.size() - pixelOffset) / stride < static_cast<std::size_t>(rows))
        return {};

    platform::Image image(width, static_cast<int>(rows));
    for (int y = 0; y < image.Height(); ++y) {
        // Rows are stored bottom row first unless the height is negative.
        const int stored = height > 0 ? image.Height() - 1 - y : y;
        const auto row = file.subspan(pixelOffset + stride * stored, stride);
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const unsigned shift = 8 - bits - bit % 8;
                const std::uint32_t index = row[bit / 8] >> shift & ((1u << bits) - 1);
                if (index >= palette.size()) return {};
                pixel = palette[index];
            } else {
                const std::size_t at = static_cast<std::size_t>(x) * (bits / 8);
                pixel = Opaque(row[at + 2], row[at + 1], row[at]);
            }
            image.SetPixel(x, y, pixel);
        }
    }
    return image;
}
