#include "platform/qt/QtDrawingContext.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <cstring>
#include <utility>
#include <vector>

namespace platform {

namespace {

QColor ToQColor(ColorRef c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// The contexts that push to a screen, while they are held.
std::vector<QtDrawingContext*>& Pushing() {
    static std::vector<QtDrawingContext*> contexts;
    return contexts;
}

QPainter::CompositionMode ModeOf(RasterOp op) {
    switch (op) {
        case RasterOp::MergePaint:
            return QPainter::RasterOp_NotSourceOrDestination;
        case RasterOp::SrcAnd:
            return QPainter::RasterOp_SourceAndDestination;
        case RasterOp::SrcCopy:
            break;
    }
    return QPainter::CompositionMode_Source;
}

// The device pixels of a logical rectangle: its edges rounded one by one, so that
// rectangles that share an edge share it in device pixels too, at any ratio.
QRect DeviceRect(const QImage& image, int x, int y, int w, int h) {
    const qreal ratio = image.devicePixelRatio();
    const int left = qRound(x * ratio);
    const int top = qRound(y * ratio);
    return QRect(left, top, qRound((x + w) * ratio) - left, qRound((y + h) * ratio) - top);
}

// Copies device pixels row by row, clipped to both images. The falling card moves by
// such copies at every step; a painter would cost many times more.
void CopyRows(QImage& to, const QRect& area, const QImage& from, QPoint fromTopLeft) {
    const QPoint offset = fromTopLeft - area.topLeft();
    const QRect copied = area & to.rect() & from.rect().translated(-offset);
    const int bytesPerPixel = to.depth() / 8;
    const auto rowBytes = static_cast<std::size_t>(copied.width()) * bytesPerPixel;
    for (int row = copied.top(); row <= copied.bottom(); ++row)
        std::memcpy(to.scanLine(row) + copied.left() * bytesPerPixel,
                    from.constScanLine(row + offset.y()) + (copied.left() + offset.x()) * bytesPerPixel,
                    rowBytes);
}

}  // namespace

QtBitmap::QtBitmap(int width, int height, qreal devicePixelRatio)
    : canvas(std::make_shared<Canvas>(QSize(width, height), devicePixelRatio)), size_{width, height} {}

QtDrawingContext::QtDrawingContext(std::shared_ptr<Canvas> target, std::function<void(const Rect&)> onRelease)
    : target_(std::move(target)), onRelease_(std::move(onRelease)) {
    if (onRelease_) Pushing().push_back(this);
}

void QtDrawingContext::FlushAll() {
    for (QtDrawingContext* context : Pushing()) context->Flush();
}

void QtDrawingContext::Flush() {
    if (!changed_.IsEmpty()) onRelease_(std::exchange(changed_, Rect{}));
}

QtDrawingContext::~QtDrawingContext() {
    if (onRelease_) std::erase(Pushing(), this);
    if (holdsPainter_) target_->EndPainting();
    if (onRelease_ && !changed_.IsEmpty()) onRelease_(changed_);
}

QPainter& QtDrawingContext::Painter() {
    if (std::exchange(holdsPainter_, true)) return target_->Painter();
    return target_->BeginPainting();
}

void QtDrawingContext::Touch(const Rect& rect) {
    const QSizeF logical = Image().deviceIndependentSize();
    changed_ = Union(changed_, Intersect(rect, Rect{0, 0, qCeil(logical.width()), qCeil(logical.height())}));
}

const QFont& QtDrawingContext::Font() {
    static const QFont font = [] {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setPixelSize(14);
        f.setBold(true);
        return f;
    }();
    return font;
}

bool QtDrawingContext::FillRect(const Rect& rect, ColorRef colour) {
    if (rect.IsEmpty()) return true;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(colour));
    Touch(rect);
    return true;
}

bool QtDrawingContext::BitBlt(int x, int y, int w, int h, DrawingContext& source, int sx, int sy,
                              RasterOp op) {
    auto* from = dynamic_cast<QtDrawingContext*>(&source);
    if (!from || w <= 0 || h <= 0) return false;
    QImage& to = Image();
    const QImage& image = from->Image();
    const qreal ratio = image.devicePixelRatio();
    // Saving the pixels under the card and putting them back must meet exactly, also
    // at a ratio such as 1.5: both copy the same device pixels.
    if (op == RasterOp::SrcCopy && &image != &to && image.format() == to.format() &&
        to.devicePixelRatio() == ratio) {
        CopyRows(to, DeviceRect(to, x, y, w, h), image, DeviceRect(image, sx, sy, w, h).topLeft());
        Touch({x, y, x + w, y + h});
        return true;
    }
    const QRectF sourceRect(sx * ratio, sy * ratio, w * ratio, h * ratio);
    // Reading the image being drawn on needs a copy of the block first.
    const QImage block = (&image == &to) ? image.copy(sourceRect.toRect()) : QImage();
    QPainter& p = Painter();
    p.setCompositionMode(ModeOf(op));
    if (block.isNull())
        p.drawImage(QRectF(x, y, w, h), image, sourceRect);
    else
        p.drawImage(QRectF(x, y, w, h), block);
    Touch({x, y, x + w, y + h});
    return true;
}

std::unique_ptr<Bitmap> QtDrawingContext::CreateCompatibleBitmap(int w, int h) {
    return std::make_unique<QtBitmap>(w, h, Image().devicePixelRatio());
}

std::unique_ptr<DrawingContext> QtDrawingContext::CreateMemoryContext(Bitmap& selected) {
    auto* bitmap = dynamic_cast<QtBitmap*>(&selected);
    if (!bitmap) return nullptr;
    return std::make_unique<QtDrawingContext>(bitmap->canvas);
}

ColorRef QtDrawingContext::SetTextColor(ColorRef colour) {
    return std::exchange(textColour_, colour);
}

ColorRef QtDrawingContext::SetBkColor(ColorRef colour) {
    return std::exchange(backgroundColour_, colour);
}

bool QtDrawingContext::TextOut(int x, int y, std::string_view text) {
    const QString string = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(Font());
    const Rect cells{x, y, x + metrics.horizontalAdvance(string), y + metrics.height()};
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(QRect(cells.left, cells.top, cells.Width(), cells.Height()), ToQColor(backgroundColour_));
    p.setFont(Font());
    p.setPen(ToQColor(textColour_));
    p.drawText(QPoint(x, y + metrics.ascent()), string);
    Touch(cells);
    return true;
}

std::optional<Size> QtDrawingContext::GetTextExtent(std::string_view text) {
    const QFontMetrics metrics(Font());
    return Size{
        metrics.horizontalAdvance(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))),
        metrics.height()};
}

bool QtDrawingContext::DrawPixels(const Rect& target, const PixelView& pixels) {
    if (!pixels.pixels || target.IsEmpty()) return false;
    const QImage view(reinterpret_cast<const uchar*>(pixels.pixels), pixels.width, pixels.height,
                      static_cast<qsizetype>(pixels.stride) * 4, QImage::Format_RGB32);
    // Exactly the device pixels that saving and restoring the background cover; a
    // picture of another size (an odd place at a ratio of 1.5) is scaled to them first.
    QImage& to = Image();
    const QRect area = DeviceRect(to, target.left, target.top, target.Width(), target.Height());
    const QImage fitted = view.size() == area.size()
                              ? view
                              : view.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    CopyRows(to, area, fitted.convertToFormat(to.format()), QPoint(0, 0));
    Touch(target);
    return true;
}

}  // namespace platform
