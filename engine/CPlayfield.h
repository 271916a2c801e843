#pragma once
// One game in progress: the seven stacks, the falling card, the winnings, the
// level and the payout notices under the columns, with every rule of play.
// Operations run on the window's thread from the window's handlers and draw
// straight into the window.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/DrawingContext.h"
#include "platform/Types.h"
#include "platform/Window.h"

class CBoardLayout;
class CDeck;

class CPlayfield {
public:
    static constexpr int kColumns = 7;

    // A new game: DropInterval back to 800 and the first card dealt, unplaced.
    explicit CPlayfield(platform::Window* window);
    virtual ~CPlayfield();
    CPlayfield(const CPlayfield&) = delete;
    CPlayfield& operator=(const CPlayfield&) = delete;

    // The whole board, from WM_PAINT's context.
    void Paint(platform::DrawingContext& dc, platform::Window* window);
    void MoveLeft(platform::Window* window);
    void MoveRight(platform::Window* window);
    void Drop(platform::Window* window);
    void Swap(platform::Window* window);
    void Tick(platform::Window* window);
    // The level change that ID_NEXT_LEVEL brings: dialog, speed, optional clearing.
    void AdvanceLevel(platform::Window* window);

    std::int32_t GetWinnings() const { return winnings; }
    void AddWinnings(std::int32_t amount) { winnings += amount; }

    // What tests and the simulator read.
    std::int32_t GetLevel() const { return level; }
    std::int32_t GetCardsThisLevel() const { return cardsThisLevel; }
    std::int32_t GetColumn() const { return column; }
    const CDeck& GetDeck() const { return *deck; }
    const CBoardLayout& GetStacks() const { return *stacks; }
    platform::Rect GetBoardRect() const { return boardRect; }

private:
    void PlaceCard(platform::Window* window, platform::DrawingContext& dc);
    std::int32_t Gap(int x, int y, int column) const;
    void CheckLanding(platform::Window* window);
    void Land(platform::Window* window);
    double Multiplier() const;
    void DrawStatus(platform::DrawingContext& dc) const;

    std::unique_ptr<CDeck> deck;
    std::unique_ptr<CBoardLayout> stacks;
    platform::Rect boardRect;
    platform::Rect clientRect;
    std::int32_t column = -1;
    std::int32_t startColumn = 0;
    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t winnings = 0;
    std::int32_t level = 0;
    std::int32_t cardsThisLevel = 0;
    std::array<std::int32_t, kColumns> payout{};
    std::array<std::int32_t, kColumns> payoutTicks{};
    std::array<std::int32_t, kColumns> payoutHand{};
};
