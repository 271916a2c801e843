// The program's icons in the Qt host, at a device-pixel ratio of 2: the window icon with
// its small and large pictures, dialogs' icon controls drawn for the device pixels, each
// suit's picture, and no image-format plug-in loaded for any of them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>

#include "platform/qt/DrawnIconStyle.h"
#include "platform/qt/IconControl.h"
#include "platform/qt/IconResources.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtMainWindow.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

namespace {

using namespace platform;

bool IsRed(QRgb pixel) {
    return qAlpha(pixel) == 255 && qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}
bool IsBlack(QRgb pixel) {
    return qAlpha(pixel) == 255 && qRed(pixel) < 90 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

LRESULT IgnoringProc(Window*, Msg, WPARAM, LPARAM) {
    return 0;
}

// Each suit is its own picture in its own colour at every size, centred and square in an
// oblong place: a resource mapped to the wrong drawing, or colour channels swapped, shows here.
TEST(IconTest, EverySuitPictureShowsItsSuitInItsColour) {
    const std::pair<int, bool (*)(QRgb)> suits[] = {
        {IDI_HEART, IsRed}, {IDI_CLUB, IsBlack}, {IDI_DIAMOND, IsRed}, {IDI_SPADE, IsBlack}};
    for (const auto& [id, colour] : suits)
        for (const QSize size : {QSize(16, 16), QSize(64, 64), QSize(40, 30)}) {
            const QImage picture = IconPicture(id, size, 1.0).toImage();
            ASSERT_EQ(picture.size(), size) << id;
            EXPECT_TRUE(colour(picture.pixel(size.width() / 2, size.height() / 2)))
                << id << " at " << size.width();
            EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "the corner is transparent";
            for (int y = 0; size.width() == 40 && y < 30; ++y)
                for (const int x : {4, 35}) EXPECT_EQ(qAlpha(picture.pixel(x, y)), 0) << x << "," << y;
        }
    EXPECT_TRUE(IconPicture(999, QSize(32, 32), 1.0).isNull());
}

// Run with QT_SCALE_FACTOR=2. A dialog's icon controls (whose places the dialogs' own test
// checks) show their icon drawn from twice the pixels rather than enlarged. Reading an image through
// Qt would load every image-format plug-in, the SVG one with its library: none may be loaded.
TEST(IconTest, TheWindowAndTheDialogsShowTheirIconsCrispWithoutImagePlugIns) {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    QtDesktop desktop;
    ASSERT_NE(desktop.RegisterWindowClass({"DECKFALL", IgnoringProc, {}, IDI_DECKFALL, IDI_SMALL}), 0);
    auto* window =
        dynamic_cast<QtMainWindow*>(desktop.CreateMainWindow("DECKFALL", "Deckfall", {0, 0, 640, 480}));
    ASSERT_NE(window, nullptr);
    window->show();
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 128}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    EXPECT_FALSE(sizes.contains(QSize(256, 256))) << "the largest picture is for icon themes, not the window";
    EXPECT_FALSE(QApplication::windowIcon().isNull()) << "dialogs and message boxes show the program's icon";

    int icons = 0;
    for (const int id : {IDD_ABOUT, IDD_HIGH_SCORES}) {  // the program's icon, and the suits
        QtDialog box(*FindDialogTemplate(id), window, window, nullptr);
        box.show();
        for (IconControl* icon : box.findChildren<IconControl*>()) {
            ++icons;
            const QPixmap shown = icon->grab();
            EXPECT_EQ(shown.devicePixelRatio(), 2.0);
            // Where the icon drawn at twice the size is opaque, the control shows it unchanged.
            const QImage image = shown.toImage();
            const QImage expected = IconPicture(icon->Icon(), icon->size() * 2, 1.0).toImage();
            ASSERT_EQ(image.size(), expected.size());
            int opaque = 0;
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x)
                    if (qAlpha(expected.pixel(x, y)) == 255) {
                        ++opaque;
                        ASSERT_EQ(image.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
                    }
            EXPECT_GT(opaque, expected.width() * expected.height() / 4);
        }
    }
    EXPECT_EQ(icons, 5);

    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    EXPECT_FALSE(mapped.contains("imageformats/")) << "an image-format plug-in is loaded";
    EXPECT_FALSE(mapped.contains("libQt6Svg")) << "the SVG library is loaded";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    QApplication::setStyle(new DrawnIconStyle);  // as the program has it: no arrows read from images
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
