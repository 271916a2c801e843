#include "platform/qt/X11WindowWriter.h"

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QSysInfo>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

// Whether pixels of that depth are 32 bits wide with no padding between them.
bool ThirtyTwoBitPixels(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats))
        if (formats.data->depth == depth) return formats.data->bits_per_pixel == 32;
    return false;
}

// Whether the visual keeps red, green and blue where QImage::Format_RGB32 keeps them.
bool RgbVisual(const xcb_setup_t* setup, xcb_visualid_t visual) {
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem; xcb_screen_next(&screens))
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem;
             xcb_depth_next(&depths))
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
                 xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == visual)
                    return visuals.data->red_mask == 0xFF0000 && visuals.data->green_mask == 0x00FF00 &&
                           visuals.data->blue_mask == 0x0000FF;
    return false;
}

}  // namespace

std::unique_ptr<X11WindowWriter> X11WindowWriter::Create(WId window) {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || window == 0) return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const bool hostLittleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    if ((setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != hostLittleEndian) return nullptr;

    const auto id = static_cast<xcb_window_t>(window);
    const auto geometry =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    const auto attributes = Owned(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr));
    if (!geometry || !attributes || (geometry->depth != 24 && geometry->depth != 32) ||
        !ThirtyTwoBitPixels(setup, geometry->depth) || !RgbVisual(setup, attributes->visual))
        return nullptr;
    const std::size_t maxRequestBytes = std::size_t{xcb_get_maximum_request_length(connection)} * 4;
    return std::make_unique<X11WindowWriter>(Token{}, connection, id, geometry->depth, maxRequestBytes);
}

X11WindowWriter::X11WindowWriter(Token, xcb_connection_t* connection, std::uint32_t window,
                                 std::uint8_t depth, std::size_t maxRequestBytes)
    : connection_(connection),
      window_(window),
      graphics_(xcb_generate_id(connection)),
      depth_(depth),
      maxRequestBytes_(maxRequestBytes) {
    xcb_create_gc(connection_, graphics_, window_, 0, nullptr);
}

X11WindowWriter::~X11WindowWriter() {
    xcb_free_gc(connection_, graphics_);
    xcb_flush(connection_);
}

std::unique_ptr<X11SharedImage> X11WindowWriter::CreateSharedImage(QSize pixels) const {
    return X11SharedImage::Create(connection_, pixels);
}

void X11WindowWriter::Put(const QImage& image, const QRect& area, const X11SharedImage* shared) {
    const QRect put = area & image.rect();
    if (put.isEmpty()) return;
    if (shared) {
        xcb_shm_put_image(connection_, window_, graphics_, static_cast<std::uint16_t>(image.width()),
                          static_cast<std::uint16_t>(image.height()), static_cast<std::uint16_t>(put.left()),
                          static_cast<std::uint16_t>(put.top()), static_cast<std::uint16_t>(put.width()),
                          static_cast<std::uint16_t>(put.height()), static_cast<std::int16_t>(put.left()),
                          static_cast<std::int16_t>(put.top()), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
                          shared->Segment(), 0);
        xcb_flush(connection_);
        return;
    }
    const auto rowBytes = static_cast<std::size_t>(put.width()) * 4;
    const bool wholeRows =
        put.width() == image.width() && static_cast<std::size_t>(image.bytesPerLine()) == rowBytes;
    // A request holds a limited number of bytes: a large rectangle goes in bands of rows.
    const std::size_t bandRows =
        std::max<std::size_t>(1, (maxRequestBytes_ - sizeof(xcb_put_image_request_t)) / rowBytes);
    for (int top = put.top(); top <= put.bottom();) {
        const int rows = static_cast<int>(std::min<std::size_t>(bandRows, put.bottom() - top + 1));
        const std::uint8_t* data = image.constScanLine(top) + put.left() * 4;
        if (!wholeRows) {
            rows_.resize(static_cast<std::size_t>(put.width()) * rows);
            for (int row = 0; row < rows; ++row)
                std::memcpy(rows_.data() + static_cast<std::size_t>(row) * put.width(),
                            image.constScanLine(top + row) + put.left() * 4, rowBytes);
            data = reinterpret_cast<const std::uint8_t*>(rows_.data());
        }
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, graphics_,
                      static_cast<std::uint16_t>(put.width()), static_cast<std::uint16_t>(rows),
                      static_cast<std::int16_t>(put.left()), static_cast<std::int16_t>(top), 0, depth_,
                      static_cast<std::uint32_t>(rowBytes * rows), data);
        top += rows;
    }
    xcb_flush(connection_);
}

}  // namespace platform
