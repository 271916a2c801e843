// The status panel in the Qt host's font: every notice reads in full beside blank
// neighbours, and the blanks still wipe the longest notice they replace.

#include <gtest/gtest.h>

#include "app/GameOptions.h"
#include "cards/HandCode.h"
#include "cards/StatusPanel.h"
#include "platform/qt/QtDrawingContext.h"

namespace {

using namespace platform;

constexpr ColorRef kText = Rgb(0xFF, 0x80, 0xFF);
constexpr ColorRef kBackground = Rgb(0x40, 0x00, 0x40);
constexpr int kW = 71;
constexpr int kH = 96;

StatusPanel Panel() {
    StatusPanel panel;
    panel.boardRect = {40, 30, 40 + 6 * (kW + 20) + kW, 30 + 200};
    panel.cardWidth = kW;
    panel.cardHeight = kH;
    return panel;
}

std::shared_ptr<Canvas> Blank() {
    auto canvas = std::make_shared<Canvas>(QSize(720, 320), 1.0);
    canvas->Image().fill(QColor(RedOf(kBackground), GreenOf(kBackground), BlueOf(kBackground)));
    return canvas;
}

class StatusPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        GameOptions = {};
        GameOptions.UpDown = 1;
        GameOptions.ForegroundColor = static_cast<std::int32_t>(kText);
        GameOptions.BackgroundColor = static_cast<std::int32_t>(kBackground);
    }
};

// Each hand in each column, its neighbours blank: both lines exactly as if drawn alone.
TEST_F(StatusPanelTest, EveryNoticeReadsInFullBesideBlankNeighbours) {
    const char* names[] = {"",
                           "    Straight    ",
                           "     Flush     ",
                           "   Full House   ",
                           "  4 of a Kind  ",
                           "  4 of a Kind  ",
                           "Straight Flush",
                           " Royal Flush! "};
    for (int hand = Straight; hand <= RoyalFlush; ++hand) {
        for (int column = 0; column < StatusPanel::kColumns; ++column) {
            StatusPanel panel = Panel();
            panel.payout[column] = 1234;
            panel.payoutHand[column] = hand;
            auto screen = Blank();
            panel.Draw(*std::make_unique<QtDrawingContext>(screen));

            auto alone = Blank();
            QtDrawingContext dc(alone);
            dc.SetTextColor(kText);
            dc.SetBkColor(kBackground);
            const int centre = panel.boardRect.left + column * (kW + 20) + kW / 2;
            int y = panel.boardRect.bottom + 4;
            for (const std::string_view line :
                 {std::string_view(names[hand]), std::string_view("pays $1234")}) {
                const Size size = *dc.GetTextExtent(line);
                const QRect cells(centre - size.cx / 2, y, size.cx, size.cy);
                dc.TextOut(cells.x(), y, line);
                EXPECT_EQ(screen->Image().copy(cells), alone->Image().copy(cells))
                    << "hand " << hand << " in column " << column << ": \"" << line << "\"";
                y += size.cy + 1;
            }
        }
    }
}

// The longest notices in every column, then none: not a pixel of them is left.
TEST_F(StatusPanelTest, BlankNoticesWipeTheLongestNotice) {
    StatusPanel panel = Panel();
    panel.payout.fill(-2147483647);
    panel.payoutHand.fill(StraightFlush);
    auto screen = Blank();
    panel.Draw(*std::make_unique<QtDrawingContext>(screen));
    const QImage shown = screen->Image().copy();
    panel.payout.fill(0);
    panel.Draw(*std::make_unique<QtDrawingContext>(screen));
    const QRect notices(0, panel.boardRect.bottom, 720, 320 - panel.boardRect.bottom);
    ASSERT_NE(shown.copy(notices), Blank()->Image().copy(notices));
    EXPECT_EQ(screen->Image().copy(notices), Blank()->Image().copy(notices));
}

}  // namespace
