#pragma once
// Where cards come from: the falling card with its place on the screen and the
// pixels saved under it, and, in one-deck play, the deck of undealt cards with
// its shuffling, trading, recycling and the test for a remainder that would
// collapse on its own forever. The rules follow GameOptions.OneDeck, SwapMode
// and EndOnShuffle, read at every operation.

#include <array>
#include <cstdint>
#include <memory>

#include "cards/CCard.h"
#include "cards/GameOverReason.h"
#include "platform/DrawingContext.h"
#include "platform/Window.h"

class CDeck {
public:
    // A reshuffle puts up to 52 remaining cards above a fresh 52.
    static constexpr int kSlots = 104;

    CDeck() = default;
    virtual ~CDeck() = default;
    CDeck(const CDeck&) = delete;
    CDeck& operator=(const CDeck&) = delete;

    // Makes a new current card at (0, 0), unplaced; false when the game must end.
    bool DealNext(platform::Window* window);
    GameOverReason EndReason() const;
    // Trades the current card by SwapMode; false (and nothing changed) when refused.
    bool Swap(platform::Window* window);
    // Hands the current card over, leaving its picture on the screen.
    std::unique_ptr<CCard> TakeCard();
    // Puts a card back into the deck at a random depth.
    void StuffBack(std::int32_t value);
    std::int32_t CardsLeft() const { return top + 1; }
    // From now on the deck reports no cards (CardsLeft −1).
    void ShowEmpty() { top = -2; }

    // The falling card and its place; (0, 0) is a card not yet placed over a column.
    const CCard* Current() const { return current.get(); }
    int GetX() const { return x; }
    int GetY() const { return y; }

    // The sprite: the pixels under the card are saved once per place and put back
    // when it moves, so the card leaves no trace.
    void DrawCard(platform::DrawingContext& dc);
    void EraseCard(platform::DrawingContext& dc);
    // With no context only the position changes.
    void MoveTo(int newX, int newY, platform::DrawingContext* dc);
    void MoveBy(int dx, int dy, platform::DrawingContext* dc);
    void Redraw(platform::DrawingContext& dc);

private:
    std::int32_t DrawValue();
    std::int32_t DealFromDeck();
    void Reshuffle();
    bool PerpetualCheck();
    std::int32_t DrawTrade();
    std::int32_t ComplementTrade();
    std::int32_t SevenCardTrade();

    int x = 0;
    int y = 0;
    std::unique_ptr<CCard> current;
    std::array<std::int32_t, kSlots> cards{};
    std::int32_t top = -1;  // the next card to deal; −1 empty, −2 after ShowEmpty
    std::int32_t reshuffled = 0;
    std::int32_t exhausted = 0;
    std::int32_t stuckCount = 0;
    bool backgroundSaved = false;
    std::unique_ptr<platform::Bitmap> background;
};
