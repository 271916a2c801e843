#include "cards/CDeck.h"

#include <algorithm>
#include <utility>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "app/Utilities.h"
#include "cards/CCardStack.h"

namespace {

constexpr std::int32_t kRanks = 13;
constexpr std::int32_t kSuits = 4;
constexpr std::int32_t kReshufflePasses = 3;
// A remainder of this many cards is tested for forming a hand by itself.
constexpr std::int32_t kFewestTested = 3;
constexpr std::int32_t kMostTested = 13;
// Detections of such a remainder that an ending deck tolerates.
constexpr std::int32_t kStuckLimit = 32;
// In seven-card trading the returned card stays below the next three.
constexpr std::int32_t kSevenCardDepth = 4;

enum SwapModes : std::int32_t { kDraw = 1, kComplement = 2, kSevenCard = 3, kStud = 4 };

// Same suit, ranks adding up to 13 counted from Ace = 1; a King is its own.
std::int32_t ComplementOf(std::int32_t value) {
    const std::int32_t rank = RankOf(value);
    return rank == kKing ? value : MakeCard(kQueen - rank, SuitOf(value));
}

}  // namespace

bool CDeck::DealNext(platform::Window*) {
    x = 0;
    y = 0;
    current = std::make_unique<CCard>(DrawValue());
    return !(GameOptions.EndOnShuffle && GameOptions.OneDeck == 2 && reshuffled);
}

GameOverReason CDeck::EndReason() const {
    if (exhausted) return PerpetualHand;
    if (reshuffled) return DeckEmptied;
    return NoRoom;
}

bool CDeck::Swap(platform::Window*) {
    const std::int32_t mode = GameOptions.SwapMode;
    // Stud allows no trade, and a stored mode we do not know trades nothing either.
    if (mode < kDraw || mode >= kStud || !current) return false;
    // −2 after ShowEmpty is as empty as −1.
    if (GameOptions.OneDeck != 0 && top < 0) return false;

    std::int32_t value = 0;
    switch (mode) {
        case kDraw:
            value = DrawTrade();
            break;
        case kComplement:
            value = ComplementTrade();
            break;
        default:
            value = SevenCardTrade();
            break;
    }
    current = std::make_unique<CCard>(value);
    return true;
}

std::unique_ptr<CCard> CDeck::TakeCard() {
    background.reset();
    backgroundSaved = false;
    return std::move(current);
}

void CDeck::StuffBack(std::int32_t value) {
    // A full deck (possible only after more than one reshuffle with cards remaining) has no
    // slot left, and a deck shown empty at the end of a game takes nothing: the card leaves
    // the game, as a collapsed card does in one-deck play without recycling.
    if (top < -1 || top >= kSlots - 1) return;

    ++top;
    const std::int32_t depth = GameOptions.SwapMode == kSevenCard ? std::min(top, kSevenCardDepth) : 0;
    const std::int32_t r = RandomInt(static_cast<std::uint32_t>(top + 1 - depth), 0);
    const std::int32_t j = std::max(top - 3, 0);
    cards[top] = cards[j];
    cards[j] = cards[r];
    cards[r] = value;
}

std::int32_t CDeck::DrawValue() {
    if (GameOptions.OneDeck == 0) {
        const std::int32_t rank = RandomInt(kRanks, 0);
        const std::int32_t suit = RandomInt(kSuits, 0);
        return MakeCard(rank, suit);
    }
    return DealFromDeck();
}

std::int32_t CDeck::DealFromDeck() {
    if (top >= 0 && !PerpetualCheck()) {
        reshuffled = 0;
    } else {
        Reshuffle();
        reshuffled = 1;
    }
    return cards[top--];
}

void CDeck::Reshuffle() {
    if (top >= 0) {
        top = std::min(top, kCardCount - 1);
        std::copy(cards.begin(), cards.begin() + top + 1, cards.begin() + kCardCount);
    }
    for (std::int32_t i = 0; i < kCardCount; ++i) cards[i] = i;
    for (std::int32_t pass = 0; pass < kReshufflePasses; ++pass) {
        for (std::int32_t i = 0; i < kCardCount; ++i) {
            const std::int32_t j = RandomInt(kCardCount, 0);
            std::swap(cards[i], cards[j]);
        }
    }
    top += kCardCount;
}

bool CDeck::PerpetualCheck() {
    if (GameOptions.OneDeck != 2) return false;

    bool whole = false;
    if (top >= kFewestTested - 1 && top <= kMostTested - 1) {
        CCardStack remainder;
        for (std::int32_t i = 0; i <= top; ++i) remainder.Push(std::make_unique<CCard>(cards[i]));
        whole = remainder.Evaluate() == top + 1;
    }
    if (!GameOptions.EndOnShuffle) return whole;

    if (whole) ++stuckCount;
    if (stuckCount >= kStuckLimit) {
        exhausted = 1;
        return true;
    }
    return false;
}

std::int32_t CDeck::DrawTrade() {
    const std::int32_t value = DrawValue();
    const std::int32_t traded = current->GetValue();
    if (GameOptions.OneDeck != 0 && value != traded) StuffBack(traded);
    return value;
}

std::int32_t CDeck::ComplementTrade() {
    const std::int32_t traded = current->GetValue();
    const std::int32_t complement = ComplementOf(traded);
    if (GameOptions.OneDeck == 0) return complement;

    for (std::int32_t i = 0; i <= top; ++i) {
        if (cards[i] == complement) {
            cards[i] = traded;
            return complement;
        }
    }
    return traded;
}

std::int32_t CDeck::SevenCardTrade() {
    if (GameOptions.OneDeck == 0) return DrawTrade();

    const std::int32_t value = cards[top];
    if (top >= 1) {
        cards[top] = cards[top - 1];
        cards[top - 1] = current->GetValue();
    } else {
        cards[0] = current->GetValue();
    }
    return value;
}

void CDeck::DrawCard(platform::DrawingContext& dc) {
    if (!backgroundSaved) {
        const int width = theMainWindow->cardWidth;
        const int height = theMainWindow->cardHeight;
        auto bitmap = dc.CreateCompatibleBitmap(width, height);
        if (bitmap) {
            if (auto memory = dc.CreateMemoryContext(*bitmap)) {
                memory->BitBlt(0, 0, width, height, dc, x, y, platform::RasterOp::SrcCopy);
                background = std::move(bitmap);
                backgroundSaved = true;
            }
        }
    }
    // Nothing is falling between a landing and the next deal.
    if (current) current->Draw(dc, x, y, true);
}

void CDeck::EraseCard(platform::DrawingContext& dc) {
    if (!backgroundSaved) return;
    if (background) {
        const platform::Size size = background->GetSize();
        if (auto memory = dc.CreateMemoryContext(*background))
            dc.BitBlt(x, y, size.cx, size.cy, *memory, 0, 0, platform::RasterOp::SrcCopy);
    }
    background.reset();
    backgroundSaved = false;
}

void CDeck::MoveTo(int newX, int newY, platform::DrawingContext* dc) {
    if (dc) EraseCard(*dc);
    x = newX;
    y = newY;
    if (dc) DrawCard(*dc);
}

void CDeck::MoveBy(int dx, int dy, platform::DrawingContext* dc) {
    MoveTo(x + dx, y + dy, dc);
}

void CDeck::Redraw(platform::DrawingContext& dc) {
    EraseCard(dc);
    DrawCard(dc);
}
