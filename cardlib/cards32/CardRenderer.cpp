#include "cardlib/cards32/CardRenderer.h"

#include <cmath>

namespace cards32 {

namespace {

// Device pixels for a logical length; a ratio the surface cannot mean counts as 1.
int DevicePixels(int logical, double ratio) {
    if (!(ratio > 0 && ratio <= 16)) ratio = 1;
    const long pixels = std::lround(logical * ratio);
    return pixels < 1 ? 1 : static_cast<int>(pixels);
}

}  // namespace

bool CardRenderer::Draw(const CardSurface& surface, int x, int y, int width, int height, int card, int mode,
                        std::uint32_t colour) {
    if (width <= 0 || height <= 0) return false;
    int picture = 0;
    switch (mode) {
        case CARDS32_FACE:
            if (card < 0 || card >= kFaceCount) return false;
            picture = card;
            break;
        case CARDS32_BACK:
            picture = kBackPicture;  // one back serves every design number
            break;
        case CARDS32_REMOVE:
            return surface.fill && surface.fill(surface.context, x, y, width, height, colour) != 0;
        default:
            return false;
    }
    if (!surface.drawPixels) return false;
    const QSize pixels(DevicePixels(width, surface.devicePixelRatio),
                       DevicePixels(height, surface.devicePixelRatio));
    const QImage& image = cache_.Get(picture, pixels, colour);
    if (image.isNull()) return false;
    return surface.drawPixels(surface.context, x, y, width, height,
                              reinterpret_cast<const std::uint32_t*>(image.constBits()), image.width(),
                              image.height(), static_cast<int>(image.bytesPerLine() / 4)) != 0;
}

}  // namespace cards32
