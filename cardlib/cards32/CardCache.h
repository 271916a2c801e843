#pragma once
// Card pictures rendered once per picture, device-pixel size and background colour
// and kept, opaque, so that they can be handed out and copied as they are.

#include <QImage>
#include <QSize>
#include <compare>
#include <cstdint>
#include <map>

#include "cardlib/cards32/CardArt.h"

namespace cards32 {

class CardCache {
public:
    explicit CardCache(CardArt& art) : art_(art) {}

    // The picture at that size over the background colour (0x00BBGGRR), rendered on
    // first use; null when it cannot be made.
    const QImage& Get(int picture, QSize pixels, std::uint32_t background);
    void Clear() { images_.clear(); }
    std::size_t Size() const { return images_.size(); }

private:
    struct Key {
        int picture;
        int width;
        int height;
        std::uint32_t background;
        auto operator<=>(const Key&) const = default;
    };
    // Enough for every picture at a few sizes; scaled drawing at ever new sizes starts afresh.
    static constexpr std::size_t kMaxImages = 4 * kPictureCount;

    QImage Render(int picture, QSize pixels, std::uint32_t background);

    CardArt& art_;
    std::map<Key, QImage> images_;
};

}  // namespace cards32
