#include "tools/sim/SimChecker.h"

#include <algorithm>

#include "app/GameOptions.h"
#include "cards/CDeck.h"
#include "engine/CBoardLayout.h"
#include "engine/CPlayfield.h"

namespace {

constexpr std::int32_t kFreshDeck = 52;

// What a reshuffle of a deck holding `left` cards adds to the cards in existence: a
// fresh 52 goes in, and of the cards left only the bottom 52 stay. More than 52 are
// left only when a deck that has run out for good reshuffles twice in a row, in a trade
// and at the next deal.
std::int32_t ReshuffleGain(std::int32_t left) {
    return kFreshDeck - std::max(left - kFreshDeck, 0);
}

const char* EventName(PlayEvent::Kind kind) {
    switch (kind) {
        case PlayEvent::Kind::Game:
            return "a new game";
        case PlayEvent::Kind::Deal:
            return "a deal";
        case PlayEvent::Kind::Swap:
            return "a trade";
        case PlayEvent::Kind::Land:
            return "a landing";
        case PlayEvent::Kind::Level:
            return "a level change";
        case PlayEvent::Kind::Over:
            return "the end";
    }
    return "an event";
}

}  // namespace

SimChecker::Census SimChecker::Count(const CPlayfield* playfield, const PlayEvent& event) {
    Census census;
    if (!playfield) {
        // The first deal of a game: the stacks do not exist yet.
        census.deck = event.left;
        census.falling = 1;
        return census;
    }
    const CDeck& deck = playfield->GetDeck();
    census.deck = deck.CardsLeft();
    census.falling = deck.Current() ? 1 : 0;
    const CBoardLayout& stacks = playfield->GetStacks();
    for (int c = 0; c < stacks.Count(); ++c) census.stacks += stacks.GetStack(c)->Count();
    return census;
}

bool SimChecker::OnEvent(const PlayEvent& event, const CPlayfield* playfield, std::string& breach) {
    if (event.kind == PlayEvent::Kind::Game) {
        counted_ = false;
        return true;
    }
    const Census now = Count(playfield, event);
    const bool shownEmpty = event.kind == PlayEvent::Kind::Over && now.deck == -1;
    if (!shownEmpty && (now.deck < 0 || now.deck > CDeck::kSlots)) {
        breach = "the deck holds " + std::to_string(now.deck) + " cards after " + EventName(event.kind);
        return false;
    }
    if (playfield) {
        const CBoardLayout& stacks = playfield->GetStacks();
        for (int c = 0; c < stacks.Count(); ++c)
            if (stacks.GetStack(c)->Count() > kMaxHeight) {
                breach = "column " + std::to_string(c) + " holds " +
                         std::to_string(stacks.GetStack(c)->Count()) + " cards after " +
                         EventName(event.kind);
                return false;
            }
    }
    if (GameOptions.OneDeck == 2 && event.kind != PlayEvent::Kind::Over && !CheckTotal(event, now, breach))
        return false;
    last_ = now;
    if (event.kind == PlayEvent::Kind::Deal || event.kind == PlayEvent::Kind::Swap)
        fallingValue_ = event.card;
    return true;
}

bool SimChecker::CheckTotal(const PlayEvent& event, const Census& now, std::string& breach) {
    const std::int32_t total = now.Total();
    if (!counted_) {
        counted_ = true;
        if (event.kind == PlayEvent::Kind::Deal && total == kFreshDeck) return true;
        breach = "a new game begins with " + std::to_string(total) + " cards in existence, not 52";
        return false;
    }
    const std::int32_t change = total - last_.Total();
    bool allowed = false;
    switch (event.kind) {
        case PlayEvent::Kind::Deal:
            allowed = change == 0 || change == ReshuffleGain(last_.deck);
            break;
        case PlayEvent::Kind::Swap: {
            // Traded for a card of the same value, the old card is not put back.
            const bool drawTrade = GameOptions.SwapMode == 1;
            const std::int32_t lost = event.ok && drawTrade && event.card == fallingValue_ ? 1 : 0;
            allowed = change == -lost || (event.ok && change == ReshuffleGain(last_.deck) - lost);
            break;
        }
        case PlayEvent::Kind::Land:
            // Collapsed cards go back into the deck; a full deck takes no more.
            allowed = change == 0 || (now.deck == CDeck::kSlots && change < 0 && -change <= event.collapsed);
            break;
        case PlayEvent::Kind::Level:
            // Cleared stacks leave the game; deck and falling card stay as they were.
            allowed = now.deck == last_.deck && now.falling == last_.falling &&
                      (GameOptions.ClearStacks ? now.stacks == 0 : now.stacks == last_.stacks);
            break;
        default:
            allowed = true;
            break;
    }
    if (allowed) return true;
    breach = "with a recycling deck, " + std::string(EventName(event.kind)) +
             " changed the cards in existence from " + std::to_string(last_.Total()) + " to " +
             std::to_string(total) + " (deck " + std::to_string(now.deck) + ", falling " +
             std::to_string(now.falling) + ", stacks " + std::to_string(now.stacks) + ")";
    return false;
}
