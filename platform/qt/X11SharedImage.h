#pragma once
// Image memory shared with a local X server (MIT-SHM): the server reads a put
// rectangle straight from it, so nothing is copied through the connection.

#include <QSize>
#include <QtGlobal>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace platform {

class X11SharedImage {
    struct Token {};

public:
    // Null when the server cannot share memory (a remote display, no extension).
    static std::unique_ptr<X11SharedImage> Create(xcb_connection_t* connection, QSize pixels);
    X11SharedImage(Token, xcb_connection_t* connection, std::uint32_t segment, void* memory, QSize pixels);
    ~X11SharedImage();
    X11SharedImage(const X11SharedImage&) = delete;
    X11SharedImage& operator=(const X11SharedImage&) = delete;

    // Room for the pixels of an RGB32 image of the size asked for, valid while this object lives.
    uchar* Bits() const { return static_cast<uchar*>(memory_); }
    QSize Size() const { return size_; }
    std::uint32_t Segment() const { return segment_; }

private:
    xcb_connection_t* connection_;
    std::uint32_t segment_;
    void* memory_;
    QSize size_;
};

}  // namespace platform
