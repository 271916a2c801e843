// The program's icons in the Qt host, at a device-pixel ratio of 2: the window icon with
// its small and large pictures, dialogs' icon controls, and pictures made without
// Qt's image-format plug-ins, which the program keeps out of its start-up.

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
#include "resources/ResourceIds.h"

namespace {

using namespace platform;

bool IsRed(QRgb pixel) {
    return qAlpha(pixel) == 255 && qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}
bool IsBlack(QRgb pixel) {
    return qAlpha(pixel) == 255 && qRed(pixel) < 90 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}
QRgb Centre(const QImage& image) {
    return image.pixel(image.width() / 2, image.height() / 2);
}

LRESULT IgnoringProc(Window*, Msg, WPARAM, LPARAM) {
    return 0;
}

TEST(IconTest, TheMainWindowHasTheProgramIconAtTheSmallAndLargeSizes) {
    QtDesktop desktop;
    WindowClass windowClass{"DECKFALL", IgnoringProc, {}, IDI_DECKFALL, IDI_SMALL};
    ASSERT_NE(desktop.RegisterWindowClass(windowClass), 0);
    auto* window =
        dynamic_cast<QtMainWindow*>(desktop.CreateMainWindow("DECKFALL", "Deckfall", {0, 0, 640, 480}));
    ASSERT_NE(window, nullptr);
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 128}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    EXPECT_FALSE(sizes.contains(QSize(256, 256))) << "the largest picture is for icon themes, not the window";
    EXPECT_FALSE(QApplication::windowIcon().isNull()) << "dialogs and message boxes show the program's icon";
}

// Each suit is its own picture in its own colour at every size: a resource mapped to
// the wrong drawing, or colour channels swapped on the way, shows here.
TEST(IconTest, EverySuitPictureShowsItsSuitInItsColour) {
    const std::pair<int, bool (*)(QRgb)> suits[] = {
        {IDI_HEART, IsRed}, {IDI_CLUB, IsBlack}, {IDI_DIAMOND, IsRed}, {IDI_SPADE, IsBlack}};
    for (const auto& [id, colour] : suits)
        for (const int size : {16, 32, 64}) {
            const QImage picture = IconPicture(id, QSize(size, size), 1.0).toImage();
            ASSERT_EQ(picture.size(), QSize(size, size)) << id;
            EXPECT_TRUE(colour(Centre(picture))) << id << " at " << size;
            EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "the corner is transparent";
        }
    EXPECT_TRUE(IconPicture(999, QSize(32, 32), 1.0).isNull());
}

// At a ratio of 2 a picture is made from twice the pixels, not enlarged from one made for 1.
TEST(IconTest, PicturesAtRatioTwoHaveTheDevicePixelsOfTwiceTheSize) {
    for (const int id : {IDI_DECKFALL, IDI_HEART, IDI_SPADE})
        for (const QSize size : {QSize(32, 32), QSize(37, 41)}) {
            const QPixmap sharp = IconPicture(id, size, 2.0);
            EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
            EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(size));
            EXPECT_EQ(sharp.toImage(), IconPicture(id, size * 2, 1.0).toImage()) << id;
        }
}

TEST(IconTest, AnIconInAnOblongPlaceKeepsItsShapeAndIsCentred) {
    const QImage picture = IconPicture(IDI_CLUB, QSize(40, 30), 1.0).toImage();
    ASSERT_EQ(picture.size(), QSize(40, 30));
    for (int y = 0; y < 30; ++y)
        for (const int x : {0, 4, 35, 39}) EXPECT_EQ(qAlpha(picture.pixel(x, y)), 0) << x << "," << y;
    EXPECT_TRUE(IsBlack(Centre(picture)));
}

// Run with QT_SCALE_FACTOR=2: the dialog's icon controls show their icon over their
// whole place from the template, in device pixels.
TEST(IconTest, ADialogsIconControlsShowTheirIconAtTheTemplatesSizeInDevicePixels) {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    DialogTemplate dialog;
    dialog.title = "Icons";
    dialog.place = {0, 0, 120, 40};
    using Kind = DialogControl::Kind;
    DialogControl program{Kind::Icon, -1, "", {8, 10, 28, 30}};
    program.icon = IDI_DECKFALL;
    DialogControl heart{Kind::Icon, -1, "", {40, 10, 61, 30}};
    heart.icon = IDI_HEART;
    dialog.controls = {program, heart};
    QtDialog window(dialog, nullptr, nullptr, nullptr);
    window.show();

    const QList<IconControl*> icons = window.findChildren<IconControl*>();
    ASSERT_EQ(icons.size(), 2);
    for (IconControl* icon : icons) {
        const bool isHeart = icon->Icon() == IDI_HEART;
        const QSize place = isHeart ? QSize(QtDialog::UnitsToPixelsX(21), QtDialog::UnitsToPixelsY(20))
                                    : QSize(QtDialog::UnitsToPixelsX(20), QtDialog::UnitsToPixelsY(20));
        EXPECT_EQ(icon->size(), place);
        const QPixmap shown = icon->grab();
        EXPECT_EQ(shown.devicePixelRatio(), 2.0);
        EXPECT_EQ(shown.size(), place * 2);
        const QImage image = shown.toImage();
        if (isHeart) {
            EXPECT_TRUE(IsRed(Centre(image)));
        }
        // Where the icon is opaque the control shows its device pixels unchanged.
        const QImage expected = IconPicture(icon->Icon(), place, 2.0).toImage();
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

// Reading an image through Qt loads every image-format plug-in, the SVG one with its
// library: a window and a dialog with their icons shown must not.
TEST(IconTest, NoImageFormatPlugInIsLoaded) {
    WindowClass windowClass{"DECKFALL", IgnoringProc, {}, IDI_DECKFALL, IDI_SMALL};
    QtMainWindow window(IgnoringProc, windowClass, "Deckfall", {0, 0, 640, 480});
    window.show();
    DialogTemplate dialog;
    dialog.place = {0, 0, 60, 40};
    DialogControl spade{DialogControl::Kind::Icon, -1, "", {8, 10, 29, 30}};
    spade.icon = IDI_SPADE;
    dialog.controls = {spade};
    QtDialog box(dialog, &window, &window, nullptr);
    box.show();
    box.grab();

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
