#pragma once
// Where card pictures come from: an installed SVG deck or faces drawn here.

class QPainter;
class QRectF;

namespace cards32 {

// A picture is a face, 4 × rank + suit (0..51), or the one back.
inline constexpr int kFaceCount = 52;
inline constexpr int kBackPicture = 52;
inline constexpr int kPictureCount = 53;

class CardArt {
public:
    virtual ~CardArt() = default;
    // Paints the picture so that it fills card; what lies outside the card's
    // own outline is left untouched, so a transparent target keeps its corners clear.
    virtual void Paint(QPainter& painter, const QRectF& card, int picture) = 0;
};

}  // namespace cards32
