#include "platform/qt/IconResources.h"

#include <png.h>

#include <QImage>
#include <QPainter>
#include <QSysInfo>
#include <algorithm>

#include "platform/qt/EmbeddedIcons.h"

namespace platform {

namespace {

// The pictures are decoded with libpng, which QtGui links anyway: QImage's own reader
// first loads every image-format plug-in it finds (the SVG one with its library), a
// cost the program avoids at start-up.
QImage DecodePng(std::span<const std::uint8_t> png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return {};
    // QImage::Format_ARGB32 holds 0xAARRGGBB words: B, G, R, A in memory on a little-endian machine.
    image.format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage picture(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_ARGB32);
    if (picture.isNull() ||
        !png_image_finish_read(&image, nullptr, picture.bits(),
                               static_cast<png_int_32>(picture.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        return {};
    }
    return picture;
}

}  // namespace

QIcon LoadIconResources(std::initializer_list<int> ids, int maxSize) {
    QIcon icon;
    for (const EmbeddedIcon& embedded : EmbeddedIcons()) {
        if (embedded.size > maxSize || std::find(ids.begin(), ids.end(), embedded.id) == ids.end()) continue;
        const QImage picture = DecodePng(embedded.png);
        if (!picture.isNull()) icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

QPixmap IconPicture(int id, QSize size, qreal ratio) {
    const QSize devicePixels(qRound(size.width() * ratio), qRound(size.height() * ratio));
    const int side = std::min(devicePixels.width(), devicePixels.height());
    if (side < 1) return {};
    // The smallest picture that is at least as large, else the largest: a picture is
    // only ever scaled down, unless none is large enough.
    const EmbeddedIcon* source = nullptr;
    for (const EmbeddedIcon& embedded : EmbeddedIcons()) {
        if (embedded.id != id) continue;
        source = &embedded;
        if (embedded.size >= side) break;
    }
    if (!source) return {};
    QImage picture = DecodePng(source->png).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) return {};
    if (picture.width() != side)
        picture = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);

    QImage canvas(devicePixels, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter(&canvas).drawImage((devicePixels.width() - side) / 2, (devicePixels.height() - side) / 2,
                                picture);
    canvas.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(std::move(canvas));
}

}  // namespace platform
