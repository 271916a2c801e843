#pragma once
// A drawing context over an Image in memory: a small software rasteriser that
// also records every call, so tests can check both what was asked and the
// pixels that came of it. Text uses fixed 8 × 16 cells with no glyphs drawn:
// the cells are filled with the background colour and the text is recorded.

#include <functional>
#include <string>
#include <vector>

#include "platform/DrawingContext.h"
#include "platform/Image.h"

namespace platform {

struct DrawCall {
    enum class Kind { FillRect, BitBlt, TextOut, DrawPixels };
    DrawCall(Kind k, const Rect& r) : kind(k), rect(r) {}
    Kind kind;
    Rect rect;                // the destination rectangle
    ColorRef colour = 0;      // fill colour, or text colour for TextOut
    ColorRef background = 0;  // TextOut's background colour
    RasterOp op = RasterOp::SrcCopy;
    std::string text;  // TextOut
};

class RasterBitmap final : public Bitmap {
public:
    RasterBitmap(int width, int height, std::uint32_t fill = 0xFF000000u)
        : image(width, height, fill), size_{width, height} {}
    explicit RasterBitmap(Image picture) : image(std::move(picture)), size_{image.Width(), image.Height()} {}
    // A bitmap that only has a size, for contexts that draw no pixels.
    explicit RasterBitmap(Size size) : size_(size) {}
    Size GetSize() const override { return size_; }

    Image image;

private:
    Size size_;
};

class RasterContext final : public DrawingContext {
public:
    static constexpr int kCharWidth = 8;
    static constexpr int kCharHeight = 16;

    // Draws on target; every call is appended to log when one is given; onRelease
    // runs with the bounding rectangle of what changed when the context is destroyed.
    RasterContext(Image& target, std::vector<DrawCall>* log = nullptr,
                  std::function<void(const Rect&)> onRelease = {});
    ~RasterContext() override;

    bool FillRect(const Rect& rect, ColorRef colour) override;
    bool BitBlt(int x, int y, int w, int h, DrawingContext& source, int sx, int sy, RasterOp op) override;
    std::unique_ptr<Bitmap> CreateCompatibleBitmap(int w, int h) override;
    std::unique_ptr<DrawingContext> CreateMemoryContext(Bitmap& selected) override;
    ColorRef SetTextColor(ColorRef colour) override;
    ColorRef SetBkColor(ColorRef colour) override;
    bool TextOut(int x, int y, std::string_view text) override;
    std::optional<Size> GetTextExtent(std::string_view text) override;
    double DevicePixelRatio() const override { return 1.0; }
    bool DrawPixels(const Rect& target, const PixelView& pixels) override;

    const Image& Target() const { return target_; }
    Rect Changed() const { return changed_; }

    // Without rasterising only the calls are kept (and the bounds checked): fast enough
    // for whole games by the thousand.
    void SetRasterising(bool rasterise) { rasterise_ = rasterise; }
    // Counts every call that reaches outside the target.
    void CountOutside(int* counter) { outside_ = counter; }

private:
    Rect Clip(const Rect& r) const;
    void Note(const Rect& r);
    void Record(DrawCall call);

    Image& target_;
    std::vector<DrawCall>* log_;
    std::function<void(const Rect&)> onRelease_;
    ColorRef textColour_ = 0x000000;
    ColorRef backgroundColour_ = 0xFFFFFF;
    Rect changed_;
    bool rasterise_ = true;
    int* outside_ = nullptr;
};

}  // namespace platform
