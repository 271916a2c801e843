#include "cards/CCard.h"

#include <algorithm>
#include <cassert>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"

namespace {

// The empty-slot marker: the ring lightens what lies beneath (OR NOT), the frame
// blackens the outline (AND); where either bitmap is white the window stays as it was.
// Only the bitmaps' own area is copied, so a card larger than them keeps the
// background beyond their edges.
void DrawSlotMarker(platform::DrawingContext& dc, int x, int y) {
    const CMainWindow& main = *theMainWindow;
    const struct {
        platform::Bitmap* bitmap;
        platform::RasterOp op;
    } layers[] = {{main.slotRingBitmap.get(), platform::RasterOp::MergePaint},
                  {main.slotFrameBitmap.get(), platform::RasterOp::SrcAnd}};
    for (const auto& layer : layers) {
        if (!layer.bitmap) continue;
        const platform::Size size = layer.bitmap->GetSize();
        auto memory = dc.CreateMemoryContext(*layer.bitmap);
        if (!memory) continue;
        dc.BitBlt(x, y, std::min(main.cardWidth, size.cx), std::min(main.cardHeight, size.cy), *memory, 0, 0,
                  layer.op);
    }
}

}  // namespace

void CCard::Draw(platform::DrawingContext& dc, int x, int y, bool visible) const {
    assert(theMainWindow && "cards are drawn through the main window's card library");
    CCardLibrary& library = theMainWindow->cardLibrary;
    const auto background = static_cast<platform::ColorRef>(GameOptions.BackgroundColor);
    if (!visible) {
        library.Draw(dc, x, y, value, CARDS32_REMOVE, background);
    } else if (drawMode == FaceDown) {
        library.Draw(dc, x, y, backDesign, CARDS32_BACK, background);
    } else if (drawMode == SlotMarker) {
        DrawSlotMarker(dc, x, y);
    } else {
        library.Draw(dc, x, y, value, drawMode, background);
    }
}
