#include "platform/qt/IconResources.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "platform/qt/EmbeddedIcons.h"

namespace platform {

namespace {

// Qt's own image over the compiled-in pixels: no file, no decoder, no plug-in.
QImage Picture(const EmbeddedIcon& embedded) {
    return QImage(reinterpret_cast<const uchar*>(embedded.pixels.data()), embedded.size, embedded.size,
                  static_cast<qsizetype>(embedded.size) * 4, QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

QIcon LoadIconResources(std::initializer_list<int> ids, int maxSize) {
    QIcon icon;
    for (const EmbeddedIcon& embedded : EmbeddedIcons()) {
        if (embedded.size > maxSize || std::find(ids.begin(), ids.end(), embedded.id) == ids.end()) continue;
        icon.addPixmap(QPixmap::fromImage(Picture(embedded)));
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
    QImage picture = Picture(*source);
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
