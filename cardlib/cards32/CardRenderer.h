#pragma once
// The library's working state: the card art in use and its rendered pictures,
// and drawing onto the surface the program hands across.

#include <cstdint>
#include <memory>

#include "cardlib/cards32/CardArt.h"
#include "cardlib/cards32/CardCache.h"
#include "cardlib/cards32/cards32.h"

namespace cards32 {

class CardRenderer {
public:
    explicit CardRenderer(std::unique_ptr<CardArt> art) : art_(std::move(art)), cache_(*art_) {}

    // Draws a face, a back or the erasing fill over width × height logical pixels
    // at (x, y). False for a card or mode it does not know, or when the surface refuses.
    bool Draw(const CardSurface& surface, int x, int y, int width, int height, int card, int mode,
              std::uint32_t colour);

private:
    std::unique_ptr<CardArt> art_;
    CardCache cache_;
};

}  // namespace cards32
