#include "engine/CPlayfield.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "cards/CDeck.h"
#include "cards/HandCode.h"
#include "cards/StatusPanel.h"
#include "engine/CBoardLayout.h"
#include "engine/LevelDlgProc.h"
#include "engine/PlayEvents.h"
#include "platform/Services.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

namespace {

constexpr std::uintptr_t kFallTimer = 1;
constexpr int kColumnGap = 20;
constexpr int kFallStep = 12;
constexpr int kDropStep = 48;
constexpr unsigned kDropPause = 10;
constexpr int kCardCost = 2;
constexpr int kSwapCost = 2;
constexpr int kNoticeTicks = 7;
constexpr int kCardsPerLevel = 52;
constexpr std::int32_t kFirstInterval = 800;

int CardWidth() {
    return theMainWindow->cardWidth;
}
int CardHeight() {
    return theMainWindow->cardHeight;
}
int Up() {
    return GameOptions.UpDown;
}

void ReportDeal(const CDeck& deck) {
    ReportPlayEvent({.kind = PlayEvent::Kind::Deal,
                     .card = deck.Current() ? deck.Current()->GetValue() : -1,
                     .left = deck.CardsLeft()});
}

}  // namespace

CPlayfield::CPlayfield(platform::Window* window) {
    GameOptions.DropInterval = kFirstInterval;
    deck = std::make_unique<CDeck>();
    // The first card waits, unplaced, for the first paint.
    deck->DealNext(window);
    ReportDeal(*deck);
    stacks = std::make_unique<CBoardLayout>();
    stacks->CreateStacks();
}

CPlayfield::~CPlayfield() = default;

void CPlayfield::Paint(platform::DrawingContext& dc, platform::Window* window) {
    clientRect = window->GetClientRect();
    stacks->Layout(clientRect, startX, startY, startColumn, boardRect);
    stacks->DrawAll(dc);
    PlaceCard(window, dc);
    DrawStatus(dc);
}

void CPlayfield::PlaceCard(platform::Window* window, platform::DrawingContext& dc) {
    const int pitch = CardWidth() + kColumnGap;
    if (deck->GetX() != 0 || deck->GetY() != 0) {
        // Keeps the card over its column when the board has been re-centred.
        deck->MoveTo(startX + (column - startColumn) * pitch, deck->GetY(), nullptr);
    } else {
        if (!GameOptions.LastStack || column == -1) column = startColumn;
        deck->MoveTo(startX + (column - startColumn) * pitch, startY, nullptr);
    }
    if (!theMainWindow->IsGameOver()) deck->DrawCard(dc);
    if (!theMainWindow->IsGameOver() && Gap(deck->GetX(), deck->GetY(), column) <= 0)
        theMainWindow->GameOver(window, NoRoom);
}

void CPlayfield::Tick(platform::Window* window) {
    {
        const auto dc = window->GetDC();
        deck->MoveBy(0, kFallStep * Up(), dc.get());
        for (int c = 0; c < kColumns; ++c) {
            if (payoutTicks[c] == 0) continue;
            if (--payoutTicks[c] == 0) {
                payout[c] = 0;
                payoutHand[c] = 0;
                DrawStatus(*dc);
            }
        }
    }
    CheckLanding(window);
}

void CPlayfield::CheckLanding(platform::Window* window) {
    if (Gap(deck->GetX(), deck->GetY(), column) == 0) Land(window);
}

void CPlayfield::MoveLeft(platform::Window* window) {
    const int target = column - 1;
    if (target < 0) return;
    const std::int32_t gap = Gap(deck->GetX(), deck->GetY(), target);
    if (gap < 0) return;
    {
        const auto dc = window->GetDC();
        deck->MoveBy(-(CardWidth() + kColumnGap), 0, dc.get());
        column = target;
    }
    if (gap == 0) Land(window);
}

void CPlayfield::MoveRight(platform::Window* window) {
    const int target = column + 1;
    if (target > stacks->Count() - 1) return;
    const std::int32_t gap = Gap(deck->GetX(), deck->GetY(), target);
    if (gap < 0) return;
    {
        const auto dc = window->GetDC();
        deck->MoveBy(CardWidth() + kColumnGap, 0, dc.get());
        column = target;
    }
    if (gap == 0) Land(window);
}

void CPlayfield::Drop(platform::Window* window) {
    const int up = Up();
    const int x = deck->GetX();
    const std::int32_t target = stacks->TopY(column);
    // A context per step: each one reaches the screen as it is released, before the pause.
    for (int y = deck->GetY(); - up * y > -up * target; y += kDropStep * up) {
        deck->MoveTo(x, y, window->GetDC().get());
        platform::Current().clock->Sleep(kDropPause);
    }
    deck->MoveTo(x, target, window->GetDC().get());
    Land(window);
}

void CPlayfield::Swap(platform::Window* window) {
    const bool traded = deck->Swap(window);
    if (traded) {
        const auto dc = window->GetDC();
        deck->Redraw(*dc);
        winnings -= kSwapCost;
        DrawStatus(*dc);
    }
    ReportPlayEvent({.kind = PlayEvent::Kind::Swap,
                     .card = deck->Current() ? deck->Current()->GetValue() : -1,
                     .left = deck->CardsLeft(),
                     .ok = traded,
                     .winnings = winnings});
}

void CPlayfield::Land(platform::Window* window) {
    auto dc = window->GetDC();
    stacks->Push(column, deck->TakeCard());
    // Truncated toward zero: −2, −3 at levels 2 and 3, −4 at 4 and 5, ...
    winnings += static_cast<std::int32_t>(Multiplier() * -static_cast<double>(kCardCost));
    ++cardsThisLevel;

    std::int32_t hand = 0;
    const std::int32_t n = stacks->Evaluate(column, &hand);
    const std::int32_t count = stacks->GetStack(column)->Count();
    std::int32_t base = 0;
    std::int32_t pay = 0;
    const bool collapses = n >= GameOptions.MinCollapse;
    if (collapses) {
        base = stacks->Collapse(column, *dc, n, deck.get());
        pay = static_cast<std::int32_t>(base * Multiplier());
        payout[column] = pay;
        payoutTicks[column] = kNoticeTicks;
        payoutHand[column] = hand;
        winnings += pay;
    }
    ReportPlayEvent({.kind = PlayEvent::Kind::Land,
                     .column = column,
                     .count = count,
                     .collapsed = collapses ? n : 0,
                     .hand = hand,
                     .base = base,
                     .pay = pay,
                     .winnings = winnings});

    const bool dealt = deck->DealNext(window);
    ReportDeal(*deck);
    if (dealt) {
        // The level change runs through the window's command handler before the new card enters.
        if (cardsThisLevel >= kCardsPerLevel) window->SendMessage(platform::Msg::Command, ID_NEXT_LEVEL, 0);
        PlaceCard(window, *dc);
        DrawStatus(*dc);
    } else {
        deck->ShowEmpty();
        DrawStatus(*dc);
        dc.reset();
        theMainWindow->GameOver(window, deck->EndReason());
    }
}

void CPlayfield::AdvanceLevel(platform::Window* window) {
    window->KillTimer(kFallTimer);
    if (GameOptions.GetFaster) {
        std::int32_t& interval = GameOptions.DropInterval;
        if (interval > 200)
            interval -= 200;
        else if (interval > 75)
            interval = interval * 3 / 4;
        else
            interval = 200;
    }

    if (const platform::DialogTemplate* dialog = FindDialogTemplate(IDD_NEXT_LEVEL))
        platform::Current().desktop->DialogBoxParam(*dialog, window, LevelDlgProc, 0);

    std::int32_t cleared = 0;
    if (GameOptions.ClearStacks) {
        const auto dc = window->GetDC();
        cleared = stacks->ClearAll(*dc);
        winnings -= cleared;
        DrawStatus(*dc);
    }

    window->SetTimer(kFallTimer, static_cast<unsigned>(GameOptions.DropInterval));
    ++level;
    cardsThisLevel = 0;
    ReportPlayEvent({.kind = PlayEvent::Kind::Level,
                     .level = level,
                     .interval = GameOptions.DropInterval,
                     .cleared = cleared,
                     .winnings = winnings});
}

double CPlayfield::Multiplier() const {
    return GameOptions.GetFaster ? 1.0 + 0.25 * level : 1.0;
}

std::int32_t CPlayfield::Gap(int x, int y, int c) const {
    return stacks->Gap(c, x, y);
}

void CPlayfield::DrawStatus(platform::DrawingContext& dc) const {
    StatusPanel{.winnings = winnings,
                .cardsLeft = deck->CardsLeft(),
                .boardRect = boardRect,
                .startY = startY,
                .cardWidth = CardWidth(),
                .cardHeight = CardHeight(),
                .payout = payout,
                .payoutHand = payoutHand}
        .Draw(dc);
}
