#pragma once
// The drawing context of the Qt host: draws at once into a canvas, either the
// window's back buffer or an off-screen bitmap, at the image's device-pixel ratio.

#include <functional>
#include <memory>

#include "platform/DrawingContext.h"
#include "platform/qt/Canvas.h"

namespace platform {

class QtBitmap final : public Bitmap {
public:
    QtBitmap(int width, int height, qreal devicePixelRatio);
    Size GetSize() const override { return size_; }

    const std::shared_ptr<Canvas> canvas;

private:
    Size size_;
};

class QtDrawingContext final : public DrawingContext {
public:
    // onRelease receives the logical rectangle that was drawn on, when the context goes.
    explicit QtDrawingContext(std::shared_ptr<Canvas> target,
                              std::function<void(const Rect&)> onRelease = {});
    ~QtDrawingContext() override;
    QtDrawingContext(const QtDrawingContext&) = delete;
    QtDrawingContext& operator=(const QtDrawingContext&) = delete;

    bool FillRect(const Rect& rect, ColorRef colour) override;
    bool BitBlt(int x, int y, int w, int h, DrawingContext& source, int sx, int sy, RasterOp op) override;
    std::unique_ptr<Bitmap> CreateCompatibleBitmap(int w, int h) override;
    std::unique_ptr<DrawingContext> CreateMemoryContext(Bitmap& selected) override;
    ColorRef SetTextColor(ColorRef colour) override;
    ColorRef SetBkColor(ColorRef colour) override;
    bool TextOut(int x, int y, std::string_view text) override;
    std::optional<Size> GetTextExtent(std::string_view text) override;
    double DevicePixelRatio() const override { return Image().devicePixelRatio(); }
    bool DrawPixels(const Rect& target, const PixelView& pixels) override;

    // The one fixed font of every context.
    static const QFont& Font();
    // Pushes what every window context still held has drawn so far. On Windows a
    // drawing is on the screen at once; here it must be pushed before the program
    // blocks (a sleep, a tone, a modal loop), or an animation would show only its end.
    static void FlushAll();

private:
    QImage& Image() const { return target_->Image(); }
    QPainter& Painter();
    void Touch(const Rect& rect);
    void Flush();

    // Shared: a context keeps what it draws into alive, whatever happens to its owner meanwhile.
    std::shared_ptr<Canvas> target_;
    std::function<void(const Rect&)> onRelease_;
    ColorRef textColour_ = 0x000000;
    ColorRef backgroundColour_ = 0xFFFFFF;
    Rect changed_;
    bool holdsPainter_ = false;
};

}  // namespace platform
