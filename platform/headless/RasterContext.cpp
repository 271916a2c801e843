#include "platform/headless/RasterContext.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

std::uint32_t Combine(std::uint32_t destination, std::uint32_t source, RasterOp op) {
    switch (op) {
        case RasterOp::SrcCopy:
            return source;
        case RasterOp::MergePaint:
            return 0xFF000000u | ((destination | ~source) & 0x00FFFFFFu);
        case RasterOp::SrcAnd:
            return 0xFF000000u | (destination & source & 0x00FFFFFFu);
    }
    return source;
}

}  // namespace

RasterContext::RasterContext(Image& target, std::vector<DrawCall>* log,
                             std::function<void(const Rect&)> onRelease)
    : target_(target), log_(log), onRelease_(std::move(onRelease)) {}

RasterContext::~RasterContext() {
    if (onRelease_) onRelease_(changed_);
}

Rect RasterContext::Clip(const Rect& r) const {
    return Intersect(r, Rect{0, 0, target_.Width(), target_.Height()});
}

void RasterContext::Note(const Rect& r) {
    const Rect clipped = Clip(r);
    changed_ = Union(changed_, clipped);
    if (outside_ && !r.IsEmpty() && clipped != r) ++*outside_;
}

void RasterContext::Record(DrawCall call) {
    if (log_) log_->push_back(std::move(call));
}

bool RasterContext::FillRect(const Rect& rect, ColorRef colour) {
    Note(rect);
    if (rasterise_) {
        const Rect clipped = Clip(rect);
        const std::uint32_t argb = ArgbOf(colour);
        for (int y = clipped.top; y < clipped.bottom; ++y)
            std::fill(target_.Row(y) + clipped.left, target_.Row(y) + clipped.right, argb);
    }
    if (!log_) return true;
    DrawCall call{DrawCall::Kind::FillRect, rect};
    call.colour = colour;
    Record(std::move(call));
    return true;
}

bool RasterContext::BitBlt(int x, int y, int w, int h, DrawingContext& source, int sx, int sy, RasterOp op) {
    auto* raster = dynamic_cast<RasterContext*>(&source);
    if (!raster) return false;
    Note({x, y, x + w, y + h});
    if (!rasterise_ || !raster->rasterise_) {
        if (log_) {
            DrawCall call{DrawCall::Kind::BitBlt, {x, y, x + w, y + h}};
            call.op = op;
            Record(std::move(call));
        }
        return true;
    }
    const Image& from = raster->target_;
    // Copy through a snapshot so a blit within one surface reads the old pixels.
    std::vector<std::uint32_t> block;
    block.reserve(static_cast<std::size_t>(std::max(0, w)) * std::max(0, h));
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            block.push_back(from.Contains(sx + col, sy + row) ? from.Pixel(sx + col, sy + row) : 0xFF000000u);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            if (target_.Contains(x + col, y + row))
                target_.SetPixel(x + col, y + row,
                                 Combine(target_.Pixel(x + col, y + row),
                                         block[static_cast<std::size_t>(row) * w + col], op));
    DrawCall call{DrawCall::Kind::BitBlt, {x, y, x + w, y + h}};
    call.op = op;
    Record(std::move(call));
    return true;
}

std::unique_ptr<Bitmap> RasterContext::CreateCompatibleBitmap(int w, int h) {
    if (!rasterise_) return std::make_unique<RasterBitmap>(Size{w, h});
    return std::make_unique<RasterBitmap>(w, h);
}

std::unique_ptr<DrawingContext> RasterContext::CreateMemoryContext(Bitmap& selected) {
    auto* bitmap = dynamic_cast<RasterBitmap*>(&selected);
    if (!bitmap) return nullptr;
    auto memory = std::make_unique<RasterContext>(bitmap->image);
    memory->SetRasterising(rasterise_);
    return memory;
}

ColorRef RasterContext::SetTextColor(ColorRef colour) {
    return std::exchange(textColour_, colour);
}

ColorRef RasterContext::SetBkColor(ColorRef colour) {
    return std::exchange(backgroundColour_, colour);
}

bool RasterContext::TextOut(int x, int y, std::string_view text) {
    const Rect cells{x, y, x + kCharWidth * static_cast<int>(text.size()), y + kCharHeight};
    Note(cells);
    if (rasterise_) {
        const Rect clipped = Clip(cells);
        const std::uint32_t argb = ArgbOf(backgroundColour_);
        for (int row = clipped.top; row < clipped.bottom; ++row)
            std::fill(target_.Row(row) + clipped.left, target_.Row(row) + clipped.right, argb);
    }
    if (!log_) return true;
    DrawCall call{DrawCall::Kind::TextOut, cells};
    call.colour = textColour_;
    call.background = backgroundColour_;
    call.text.assign(text);
    Record(std::move(call));
    return true;
}

std::optional<Size> RasterContext::GetTextExtent(std::string_view text) {
    return Size{kCharWidth * static_cast<int>(text.size()), kCharHeight};
}

bool RasterContext::DrawPixels(const Rect& target, const PixelView& pixels) {
    if (!pixels.pixels || target.IsEmpty()) return false;
    Note(target);
    if (!rasterise_) {
        Record(DrawCall{DrawCall::Kind::DrawPixels, target});
        return true;
    }
    // Nearest-neighbour scaling: the headless surface has a pixel ratio of 1.
    for (int y = target.top; y < target.bottom; ++y) {
        const int sy = (y - target.top) * pixels.height / target.Height();
        for (int x = target.left; x < target.right; ++x) {
            if (!target_.Contains(x, y)) continue;
            const int sx = (x - target.left) * pixels.width / target.Width();
            target_.SetPixel(x, y, pixels.pixels[static_cast<std::size_t>(sy) * pixels.stride + sx]);
        }
    }
    Record(DrawCall{DrawCall::Kind::DrawPixels, target});
    return true;
}

}  // namespace platform
