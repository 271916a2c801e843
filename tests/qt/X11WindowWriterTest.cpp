// The board's way to an X screen, on a real X server: pixels put through the
// connection and through shared memory land where they belong, and nothing else.

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QRegion>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <memory>

#include "platform/qt/X11SharedImage.h"
#include "platform/qt/X11WindowWriter.h"

namespace {

using platform::X11SharedImage;
using platform::X11WindowWriter;

constexpr int kWidth = 160;
constexpr int kHeight = 120;

QRgb Pattern(int x, int y) {
    return qRgb(x * 3 % 256, y * 5 % 256, (x + y) % 256);
}

void Paint(uchar* bits, QImage& image) {
    image = QImage(bits, kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) image.setPixel(x, y, Pattern(x, y));
}

class X11WindowWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display";
        window.setAttribute(Qt::WA_NativeWindow);
        window.setAttribute(Qt::WA_PaintOnScreen);
        window.resize(kWidth, kHeight);
        window.show();
        QElapsedTimer waited;
        waited.start();
        while (!window.windowHandle()->isExposed() && waited.elapsed() < 5000) QApplication::processEvents();
        writer = X11WindowWriter::Create(window.winId());
        ASSERT_NE(writer, nullptr);
        connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    }

    // What the window shows now, read back from the server.
    QRgb Shown(int x, int y) {
        const auto reply = std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)>(
            xcb_get_image_reply(connection,
                                xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP,
                                              static_cast<xcb_drawable_t>(window.winId()), x, y, 1, 1, ~0u),
                                nullptr),
            &std::free);
        return reply ? *reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply.get())) & 0xFFFFFF
                     : 0;
    }

    void ExpectShownOnlyInside(const QRegion& put, QRgb elsewhere) {
        for (int y = 0; y < kHeight; y += 3)
            for (int x = 0; x < kWidth; x += 3)
                ASSERT_EQ(Shown(x, y), put.contains(QPoint(x, y)) ? Pattern(x, y) & 0xFFFFFF : elsewhere)
                    << x << "," << y;
    }

    QWidget window;
    std::unique_ptr<X11WindowWriter> writer;
    xcb_connection_t* connection = nullptr;
};

TEST_F(X11WindowWriterTest, PutsARectangleThroughTheConnection) {
    QImage blank(kWidth, kHeight, QImage::Format_RGB32);
    blank.fill(qRgb(0, 0, 255));
    writer->Put(blank, blank.rect());
    std::vector<uchar> bits(kWidth * kHeight * 4);
    QImage image;
    Paint(bits.data(), image);
    const QRect put(13, 21, 57, 40);
    writer->Put(image, put);
    ExpectShownOnlyInside(put, 0x0000FF);
    writer->Put(image, QRect(-10, 100, kWidth + 20, 50));  // whole rows, clipped to the image
    ExpectShownOnlyInside(QRegion(put) + QRect(0, 100, kWidth, 20), 0x0000FF);
}

TEST_F(X11WindowWriterTest, PutsARectangleFromSharedMemory) {
    const std::unique_ptr<X11SharedImage> shared = writer->CreateSharedImage(QSize(kWidth, kHeight));
    if (!shared) GTEST_SKIP() << "the X server shares no memory";
    QImage image;
    Paint(shared->Bits(), image);
    writer->Put(image, image.rect(), shared.get());
    // The server reads shared memory when it gets to the put: it must have, before the
    // memory changes here.
    Shown(0, 0);
    image.fill(qRgb(255, 0, 0));
    const QRect put(40, 7, 33, 90);
    for (int y = put.top(); y <= put.bottom(); ++y)
        for (int x = put.left(); x <= put.right(); ++x) image.setPixel(x, y, qRgb(0, 255, 0));
    writer->Put(image, put, shared.get());
    EXPECT_EQ(Shown(40, 7), 0x00FF00u);
    EXPECT_EQ(Shown(72, 96), 0x00FF00u);
    EXPECT_EQ(Shown(39, 7), Pattern(39, 7) & 0xFFFFFF);  // outside: what was put before
    EXPECT_EQ(Shown(73, 50), Pattern(73, 50) & 0xFFFFFF);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
