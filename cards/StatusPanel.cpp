#include "cards/StatusPanel.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "app/GameOptions.h"
#include "cards/HandCode.h"

namespace {

// The padding wipes out a longer text drawn at the same place before.
constexpr std::string_view kBlankNotice = "                        ";  // 24 spaces

std::string_view HandName(std::int32_t hand) {
    switch (hand) {
        case Straight:
            return "    Straight    ";
        case Flush:
            return "     Flush     ";
        case FullHouse:
            return "   Full House   ";
        case FourOfAKind:
        case FourOfAKindAndOne:
            return "  4 of a Kind  ";
        case StraightFlush:
            return "Straight Flush";
        case RoyalFlush:
            return " Royal Flush! ";
        default:
            return "                 ";  // 17 spaces
    }
}

// A text with one number in it, put together in a buffer the caller keeps (drawn on every landing).
template <std::size_t N>
std::string_view Format(std::array<char, N>& buffer, std::string_view before, std::int32_t number,
                        std::string_view after = {}) {
    char* end = std::copy(before.begin(), before.end(), buffer.data());
    end = std::to_chars(end, buffer.data() + N, number).ptr;
    end = std::copy(after.begin(), after.end(), end);
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

}  // namespace

void StatusPanel::Draw(platform::DrawingContext& dc) const {
    dc.SetTextColor(static_cast<platform::ColorRef>(GameOptions.ForegroundColor));
    const platform::ColorRef previousBackground =
        dc.SetBkColor(static_cast<platform::ColorRef>(GameOptions.BackgroundColor));

    std::array<char, 48> buffer{};
    dc.TextOut(boardRect.left, 0, Format(buffer, "Winnings: $", winnings, "     "));

    if (GameOptions.OneDeck != 0) {
        // The falling card still counts as in the deck; after ShowEmpty this reads 0.
        const std::string_view line = Format(buffer, "     Cards in deck: ", cardsLeft + 1);
        const auto extent = dc.GetTextExtent(line);
        dc.TextOut(extent ? boardRect.right - extent->cx : boardRect.right, 0, line);
    }

    // The blanks that wipe a column's notice are wider than a column in our font: drawn
    // after a neighbour's notice they would cut it. Blanks first, then the notices
    // shown: the screen ends as if each column had been drawn in turn in a narrow font.
    for (int i = 0; i < kColumns; ++i)
        if (payout[i] == 0) DrawNotice(dc, i);
    for (int i = 0; i < kColumns; ++i)
        if (payout[i] != 0) DrawNotice(dc, i);

    dc.SetBkColor(previousBackground);
}

void StatusPanel::DrawNotice(platform::DrawingContext& dc, int column) const {
    std::array<char, 48> buffer{};
    const bool shown = payout[column] != 0;
    const std::string_view first = shown ? HandName(payoutHand[column]) : kBlankNotice;
    const std::string_view second = shown ? Format(buffer, "pays $", payout[column]) : kBlankNotice;
    const int pitch = (boardRect.right - boardRect.left - cardWidth) / 6;
    const int centreX = boardRect.left + column * pitch + cardWidth / 2;
    int y = GameOptions.UpDown == 1 ? boardRect.bottom + 4 : startY + cardHeight + 4;

    const platform::Size firstSize = dc.GetTextExtent(first).value_or(platform::Size{});
    dc.TextOut(centreX - firstSize.cx / 2, y, first);
    y += firstSize.cy + 1;
    const platform::Size secondSize = dc.GetTextExtent(second).value_or(platform::Size{});
    dc.TextOut(centreX - secondSize.cx / 2, y, second);
}
