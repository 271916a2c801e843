#pragma once
// Puts device pixels of an image straight into an X window: the board's way to the
// screen on X11, without a second copy through Qt's backing store.

#include <QImage>
#include <QRect>
#include <QWindow>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/qt/X11SharedImage.h"

struct xcb_connection_t;

namespace platform {

class X11WindowWriter {
    struct Token {};

public:
    // Null unless the application runs on X11 and the window takes 32-bit pixels laid
    // out as QImage::Format_RGB32 lays them out.
    static std::unique_ptr<X11WindowWriter> Create(WId window);
    X11WindowWriter(Token, xcb_connection_t* connection, std::uint32_t window, std::uint8_t depth,
                    std::size_t maxRequestBytes);
    ~X11WindowWriter();
    X11WindowWriter(const X11WindowWriter&) = delete;
    X11WindowWriter& operator=(const X11WindowWriter&) = delete;

    // Memory for an image the server reads from directly; null where it cannot.
    std::unique_ptr<X11SharedImage> CreateSharedImage(QSize pixels) const;

    // Copies a rectangle of an RGB32 image's device pixels to the same place in the
    // window and sends it at once: from the shared memory behind the image when it has
    // some, else through the connection.
    void Put(const QImage& image, const QRect& area, const X11SharedImage* shared = nullptr);

private:
    xcb_connection_t* connection_;
    std::uint32_t window_;
    std::uint32_t graphics_;
    std::uint8_t depth_;
    std::size_t maxRequestBytes_;
    std::vector<std::uint32_t> rows_;  // a rectangle narrower than the image, its rows joined
};

}  // namespace platform
