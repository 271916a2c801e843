#pragma once
// One column of cards: a linked list from the top card down to a sentinel that
// holds the empty-slot marker, with its base position on the board. It reads
// itself under the current rule set and collapses from the top.
//
// Geometry, with U the orientation (GameOptions.UpDown, +1 or −1): the k-th card
// from the bottom lies at (x, y − 24·k·U); the next card lands at TopY = y − 24·count·U.

#include <cstdint>
#include <memory>

#include "cards/CCard.h"
#include "cards/CCardListNode.h"
#include "platform/DrawingContext.h"

class CDeck;

class CCardStack {
public:
    static constexpr int kCardPitch = 24;

    CCardStack();
    virtual ~CCardStack();
    CCardStack(const CCardStack&) = delete;
    CCardStack& operator=(const CCardStack&) = delete;

    void SetPosition(int x, int y);
    int GetX() const { return x; }
    int GetY() const { return y; }
    std::int32_t Count() const { return count; }

    // The card becomes the new top; the stack owns it from now on.
    bool Push(std::unique_ptr<CCard> card);
    // The top card, now the caller's; null when the stack is empty.
    std::unique_ptr<CCard> PopTop();
    // Deletes every card without drawing.
    bool RemoveAll();

    // Top-down reading: from Head along next until End.
    const CCardListNode* Head() const { return head; }
    const CCardListNode* End() const { return end; }

    std::int32_t TopY() const;
    // (TopY − y)·U: positive while a card at height y is short of its landing place.
    std::int32_t Gap(int x, int y) const;

    // The whole stack, slot marker first and the top card last.
    void Draw(platform::DrawingContext& dc) const;
    // Removes every card, erasing each with a 120 Hz tone; returns their card points.
    std::int32_t Clear(platform::DrawingContext& dc);

    // How many cards from the top collapse under GameOptions.CollapseRegime (0: none);
    // writes the poker hand code (0 outside poker) when asked.
    std::int32_t Evaluate(std::int32_t* handType = nullptr) const;
    // The base payout of collapsing the top cards, read before any is removed.
    std::int32_t BaseScore(std::int32_t n) const;
    // BaseScore, then removes the top n cards with the erase-and-tone animation,
    // giving them back to the deck when GameOptions.OneDeck is 2; returns the base payout.
    std::int32_t Collapse(platform::DrawingContext& dc, std::int32_t n, CDeck* deck);

    std::int32_t PokerHand(bool aceHigh) const;
    std::int32_t MeldLength(bool aceHigh) const;
    std::int32_t TwentyOneLength(bool aceHigh) const;

private:
    CCardListNode* head;  // the top node; equals end when empty
    CCardListNode* end;   // the sentinel, holding the slot-marker card
    std::int32_t count = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    // The node of the last card popped, for the next push: a player weighing a card on
    // each column in turn pushes and pops without going to the heap every time.
    std::unique_ptr<CCardListNode> spare;
};
