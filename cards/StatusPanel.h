#pragma once
// The texts around the board: the winnings, the cards left in the deck and, under
// each column, the notice of the hand it last paid. Drawn whole from what the
// playfield holds, opaque over the background colour.

#include <array>
#include <cstdint>

#include "platform/DrawingContext.h"
#include "platform/Types.h"

struct StatusPanel {
    static constexpr int kColumns = 7;

    std::int32_t winnings = 0;
    std::int32_t cardsLeft = 0;  // in the deck, the falling card not counted
    platform::Rect boardRect;
    std::int32_t startY = 0;  // where new cards appear
    std::int32_t cardWidth = 0;
    std::int32_t cardHeight = 0;
    std::array<std::int32_t, kColumns> payout{};  // 0: no notice
    std::array<std::int32_t, kColumns> payoutHand{};

    // Colours, the deck line and the notices' place follow GameOptions.
    void Draw(platform::DrawingContext& dc) const;

private:
    void DrawNotice(platform::DrawingContext& dc, int column) const;
};
