#pragma once
// Cards drawn here, for systems without an installed deck: a white rounded card
// with rank and suit in two corners and pips, or the court's letter, between;
// the back is a blue lattice.

#include "cardlib/cards32/CardArt.h"

namespace cards32 {

class DrawnDeck final : public CardArt {
public:
    void Paint(QPainter& painter, const QRectF& card, int picture) override;
};

}  // namespace cards32
