#pragma once
// Immediate-mode drawing onto a window or an off-screen bitmap, shaped after
// the few GDI calls the game makes. A context obtained from a window pushes
// what it changed to the screen when it is destroyed (released).

#include <memory>
#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace platform {

// The raster operations of BitBlt that the game uses, with their GDI codes.
enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,     // destination = source
    MergePaint = 0x00BB0226,  // destination = destination OR NOT source
    SrcAnd = 0x008800C6,      // destination = destination AND source
};

// An off-screen picture, created compatible with a context; drawn on through a
// memory context and copied with BitBlt.
class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual Size GetSize() const = 0;  // in logical pixels
};

// Pixels handed in by the card library: device pixels, opaque, 0xFFRRGGBB.
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;   // device pixels
    int height = 0;  // device pixels
    int stride = 0;  // pixels per row
};

class DrawingContext {
public:
    virtual ~DrawingContext() = default;

    // PatBlt with a solid brush of that colour (PATCOPY).
    virtual bool FillRect(const Rect& rect, ColorRef colour) = 0;
    // BitBlt of w × h from (sx, sy) of source to (x, y) of this context.
    virtual bool BitBlt(int x, int y, int w, int h, DrawingContext& source, int sx, int sy, RasterOp op) = 0;

    // CreateCompatibleBitmap: w × h logical pixels at this context's pixel ratio.
    virtual std::unique_ptr<Bitmap> CreateCompatibleBitmap(int w, int h) = 0;
    // CreateCompatibleDC with the bitmap selected into it; the bitmap must outlive the context.
    virtual std::unique_ptr<DrawingContext> CreateMemoryContext(Bitmap& selected) = 0;

    // Text in the one fixed font, drawn opaque over the background colour.
    virtual ColorRef SetTextColor(ColorRef colour) = 0;  // returns the previous colour
    virtual ColorRef SetBkColor(ColorRef colour) = 0;    // returns the previous colour
    virtual bool TextOut(int x, int y, std::string_view text) = 0;
    virtual std::optional<Size> GetTextExtent(std::string_view text) = 0;

    // Device pixels per logical pixel of the surface drawn on.
    virtual double DevicePixelRatio() const = 0;
    // Copies device pixels into a logical rectangle, scaled to fill it (the card library's way in).
    virtual bool DrawPixels(const Rect& target, const PixelView& pixels) = 0;
};

}  // namespace platform
