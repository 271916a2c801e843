#pragma once
// A card on its way to the screen: a value and how to draw it.

#include <cstdint>

#include "cards/CardValue.h"
#include "platform/DrawingContext.h"

class CCard {
public:
    enum DrawMode : std::int32_t { FaceUp = 0, FaceDown = 1, SlotMarker = 8 };

    explicit CCard(std::int32_t value) : value(value) {}
    virtual ~CCard() = default;

    std::int32_t GetValue() const { return value; }
    std::int32_t GetDrawMode() const { return drawMode; }
    void SetDrawMode(std::int32_t mode) { drawMode = mode; }
    // Draws the card at (x, y) through the card library, or erases it (visible false)
    // in the background colour; the slot marker is drawn from the two marker bitmaps.
    void Draw(platform::DrawingContext& dc, int x, int y, bool visible) const;

private:
    std::int32_t value;
    std::int32_t drawMode = FaceUp;
    std::int32_t backDesign = kCardBackDesign;
};
