#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <tuple>

#include "cardlib/CCardLibrary.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RasterContext.h"
#include "platform/linux/DlModuleLoader.h"
#include "tests/support/NullSettings.h"

namespace {

using platform::ArgbOf;
using platform::Rect;

constexpr const char* kPlasticDeck = "/usr/share/aisleriot/cards/plastic.svgz";
constexpr const char* kMissingDeck = "/nonexistent/deck.svgz";
constexpr std::uint32_t kTable = 0xFF106020u;
constexpr platform::ColorRef kColour = platform::Rgb(0x20, 0x40, 0x80);

void EnsureGuiApplication() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "cardlib_cards32_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

// Pixels as the library handed them over.
struct Picture {
    Rect target;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class RecordingContext final : public platform::DrawingContext {
public:
    explicit RecordingContext(double ratio) : ratio_(ratio) {}
    bool FillRect(const Rect&, platform::ColorRef) override { return ++fills, true; }
    bool BitBlt(int, int, int, int, DrawingContext&, int, int, platform::RasterOp) override { return false; }
    std::unique_ptr<platform::Bitmap> CreateCompatibleBitmap(int, int) override { return {}; }
    std::unique_ptr<DrawingContext> CreateMemoryContext(platform::Bitmap&) override { return {}; }
    platform::ColorRef SetTextColor(platform::ColorRef) override { return 0; }
    platform::ColorRef SetBkColor(platform::ColorRef) override { return 0; }
    bool TextOut(int, int, std::string_view) override { return false; }
    std::optional<platform::Size> GetTextExtent(std::string_view) override { return {}; }
    double DevicePixelRatio() const override { return ratio_; }
    bool DrawPixels(const Rect& target, const platform::PixelView& view) override {
        Picture picture{target, view.width, view.height, {}};
        for (int y = 0; y < view.height; ++y) {
            const std::uint32_t* row = view.pixels + static_cast<std::size_t>(y) * view.stride;
            picture.pixels.insert(picture.pixels.end(), row, row + view.width);
        }
        pictures.push_back(std::move(picture));
        return true;
    }

    std::vector<Picture> pictures;
    int fills = 0;

private:
    double ratio_;
};

bool IsOpaque(const Picture& picture) {
    return std::all_of(picture.pixels.begin(), picture.pixels.end(),
                       [](std::uint32_t p) { return p >> 24 == 0xFF; });
}

bool HasRedInk(const Picture& picture) {
    return std::any_of(picture.pixels.begin(), picture.pixels.end(), [](std::uint32_t p) {
        return (p >> 24) > 200 && ((p >> 16) & 0xFF) > 150 && ((p >> 8) & 0xFF) < 100 && (p & 0xFF) < 100;
    });
}

// The deck the library loads next: the one named, or its own choice for null.
void SetDeck(const char* deck) {
    deck ? setenv("DECKFALL_CARD_DECK", deck, 1) : unsetenv("DECKFALL_CARD_DECK");
}

// The platform the library finds its decks through.
struct CardPlatform {
    static platform::Services With(platform::ModuleLoader& modules) {
        platform::Services services = platform::Current();
        services.modules = &modules;
        return services;
    }

    NullSettings settings;
    platform::HeadlessPlatform headless{settings};
    platform::DlModuleLoader loader;
    platform::ScopedServices scope{With(loader)};
};

class Cards32Test : public ::testing::Test, public CardPlatform {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    void SetUp() override { UseDeck(nullptr); }
    void TearDown() override {
        library.Unload();
        unsetenv("DECKFALL_CARD_DECK");
    }

    // Loads the library afresh with the deck named, or its own choice for null.
    void UseDeck(const char* deck) {
        library.Unload();
        SetDeck(deck);
        ASSERT_NE(library.Load(nullptr), 0);
        ASSERT_EQ(std::pair(library.GetCardWidth(), library.GetCardHeight()), std::pair(71, 96));
    }

    Picture Capture(int card, int mode, double ratio = 1) {
        RecordingContext dc(ratio);
        EXPECT_NE(library.Draw(dc, 3, 4, card, mode, 0), 0);
        return dc.pictures.size() == 1 ? dc.pictures[0] : Picture{};
    }

    CCardLibrary library;
};

// Every card must be told apart at a glance, from the installed deck or the one drawn here;
// on a high-density screen it is rendered at full resolution, not scaled up.
TEST_F(Cards32Test, EveryPictureIsDistinctSuitColouredSharpAndExactlyItsRectangleInEitherDeck) {
    std::vector<std::uint32_t> installedAce;
    for (const char* deck : {static_cast<const char*>(nullptr), kMissingDeck}) {
        SCOPED_TRACE(deck ? deck : "installed deck");
        UseDeck(deck);
        std::set<std::vector<std::uint32_t>> distinct;
        for (int card = 0; card < 52; ++card) {
            SCOPED_TRACE(card);
            const Picture face = Capture(card, 0);
            EXPECT_TRUE(IsOpaque(face));
            distinct.insert(face.pixels);
            const int rank = card / 4, suit = card % 4;
            if (rank < 1 || rank > 9) continue;  // pip cards: red ink on diamonds and hearts only
            EXPECT_EQ(HasRedInk(face), suit == 1 || suit == 2);
        }
        const Picture back = Capture(54, 1);
        EXPECT_TRUE(IsOpaque(back));
        EXPECT_EQ(Capture(53, 1).pixels, back.pixels);  // one back for every design
        distinct.insert(back.pixels);
        EXPECT_EQ(distinct.size(), 53u);

        if (deck) {
            EXPECT_NE(Capture(0, 0).pixels, installedAce);  // drawn here, not from the deck
        } else {
            installedAce = Capture(0, 0).pixels;
        }

        // Sizes already made must not stand in for another.
        const Picture sharp = Capture(12, 0, 2);
        EXPECT_EQ(std::tuple(sharp.target, sharp.width, sharp.height),
                  std::tuple(Rect{3, 4, 74, 100}, 142, 192));
        const Picture wide = Capture(54, 1, 1.5);
        EXPECT_EQ(std::pair(wide.width, wide.height), std::pair(107, 144));

        // Erased, face up or down, a card paints exactly its rectangle, never its neighbours:
        // the rounded corners in the background colour it is given.
        for (int mode : {4, 0, 1}) {
            SCOPED_TRACE(mode);
            platform::Image image(120, 150, kTable);
            platform::RasterContext dc(image);
            ASSERT_NE(library.Draw(dc, 20, 30, 9, mode, kColour), 0);
            for (int y = 0; y < image.Height(); ++y)
                for (int x = 0; x < image.Width(); ++x) {
                    const bool inside = x >= 20 && x < 91 && y >= 30 && y < 126;
                    if (inside && mode != 4) continue;
                    ASSERT_EQ(image.Pixel(x, y), inside ? ArgbOf(kColour) : kTable) << x << "," << y;
                }
            if (mode == 4 || !deck) continue;  // the cards drawn here are rounded
            EXPECT_EQ(std::pair(image.Pixel(20, 30), image.Pixel(90, 125)),
                      std::pair(ArgbOf(kColour), ArgbOf(kColour)));
            EXPECT_NE(image.Pixel(55, 78), ArgbOf(kColour));
        }
    }

    // A bad card number or mode from a caller must draw nothing rather than a wrong card.
    RecordingContext dc(1);
    for (const auto& [card, mode] : {std::pair{-1, 0}, {52, 0}, {54, 0}, {0, 2}, {0, 3}, {0, -1}})
        EXPECT_EQ(library.Draw(dc, 0, 0, card, mode, 0), 0) << card << " " << mode;
    EXPECT_EQ(std::pair(dc.pictures.size(), dc.fills), std::pair(std::size_t{0}, 0));
}

// Card numbers pick the deck's faces by the library's numbering, checked against the file.
TEST_F(Cards32Test, FacesFollowTheCardNumbering) {
    if (!std::filesystem::exists(kPlasticDeck)) GTEST_SKIP() << kPlasticDeck << " not installed";
    UseDeck(kPlasticDeck);
    QSvgRenderer svg(QString::fromLatin1(kPlasticDeck));
    const std::pair<int, const char*> expected[] = {
        {0, "club_1"}, {5, "diamond_2"}, {38, "heart_10"}, {43, "spade_jack"}, {51, "spade_king"}};
    for (const auto& [card, element] : expected) {
        SCOPED_TRACE(element);
        QImage image(71, 96, QImage::Format_RGB32);
        image.fill(Qt::black);  // the background colour Capture passes
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        svg.render(&painter, QString::fromLatin1(element), QRectF(0, 0, 71, 96));
        painter.end();

        const Picture face = Capture(card, 0);
        ASSERT_EQ(face.pixels.size(), 71u * 96u);
        ASSERT_EQ(image.bytesPerLine(), 71 * 4);
        const auto* drawn = reinterpret_cast<const std::uint32_t*>(image.constBits());
        long difference = 0;
        for (int i = 0; i < 71 * 96; ++i)
            for (int shift = 0; shift < 32; shift += 8)
                difference +=
                    std::abs(int((drawn[i] >> shift) & 0xFF) - int((face.pixels[i] >> shift) & 0xFF));
        EXPECT_LT(difference, 71 * 96);  // under one level per pixel: the same picture
    }
}

// What the program's exit() does (Qt calls it when the X connection breaks): the statics of a
// library loaded at run time go first, as they were made last, then the program's, whose card
// library wrapper still holds the library and terminates it.
[[noreturn]] void ExitHoldingTheLibrary(const char* deck) {
    EnsureGuiApplication();
    SetDeck(deck);
    const CardPlatform cards;
    static CCardLibrary held;
    if (held.Load(nullptr) == 0) std::_Exit(2);
    RecordingContext dc(1);
    if (held.Draw(dc, 0, 0, 0, 0, 0) == 0 || held.Draw(dc, 0, 0, 54, 1, 0) == 0) std::_Exit(3);
    std::exit(0);
}

TEST(Cards32ExitDeathTest, ExitWhileTheProgramHoldsTheLibraryEndsCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* deck : {static_cast<const char*>(nullptr), kMissingDeck}) {
        SCOPED_TRACE(deck ? deck : "installed deck");
        EXPECT_EXIT(ExitHoldingTheLibrary(deck), testing::ExitedWithCode(0), "");
    }
}

}  // namespace
