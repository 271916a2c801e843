#include "tools/sim/Simulator.h"

#include <chrono>
#include <cstdlib>
#include <limits>

#include "app/GameOptions.h"
#include "app/Settings.h"
#include "cardlib/cards32/cards32.h"
#include "cards/CDeck.h"
#include "engine/CPlayfield.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

using platform::Msg;

namespace {

constexpr std::size_t kStringBufferSize = 100;

// The card library, in process: cards of the real library's size that cover their
// rectangle, so that a card drawn out of place counts as drawn outside the window.
int CardsInit(int* width, int* height) {
    *width = CARDS32_CARD_WIDTH;
    *height = CARDS32_CARD_HEIGHT;
    return 1;
}
int CardsDraw(CardSurface* surface, int x, int y, int, int, std::uint32_t colour) {
    return surface->fill(surface->context, x, y, CARDS32_CARD_WIDTH, CARDS32_CARD_HEIGHT, colour);
}
int CardsDrawExt(CardSurface* surface, int x, int y, int dx, int dy, int, int, std::uint32_t colour) {
    return surface->fill(surface->context, x, y, dx, dy, colour);
}
int CardsAnimate(CardSurface*, int, int, int, int) {
    return 1;
}
void CardsTerm() {}

// What the program finds in its settings store besides the options of the run: no
// welcome dialog, no music, and a window of 1024 × 768 at the screen's corner, large
// enough that the game never has to draw outside it.
constexpr struct {
    const char* name;
    std::uint32_t value;
} kFixedSettings[] = {{"ShowNagDlg", 0}, {"Music", 0},    {"FirstBoot", 0}, {"Left", 0},
                      {"Top", 0},        {"Width", 1024}, {"Height", 768},  {"MinMax", 0}};

const char* const kPlayAgain = "Do you want to play again?";
const char* const kQuitGame = "Are you sure you want to quit the current game?";

}  // namespace

Simulator::Simulator(const SimConfig& config, SimTrace* trace)
    : config_(config),
      store_(platform::SqliteSettingsStore::InMemory()),
      headless_(*store_),
      trace_(trace),
      gamesWanted_(std::numeric_limits<std::int64_t>::max()) {
    // Create seeds the generator from the clock: this makes the seed the run's.
    headless_.clock = platform::VirtualClock(config.seed);
    headless_.modules.Register("libcards32.so", {{"cdtInit", reinterpret_cast<void*>(&CardsInit)},
                                                 {"cdtDraw", reinterpret_cast<void*>(&CardsDraw)},
                                                 {"cdtDrawExt", reinterpret_cast<void*>(&CardsDrawExt)},
                                                 {"cdtAnimate", reinterpret_cast<void*>(&CardsAnimate)},
                                                 {"cdtTerm", reinterpret_cast<void*>(&CardsTerm)}});
    // The sim starts every next game itself; the New Game question comes only when it
    // abandons a game that has run too long.
    headless_.desktop.messageBoxHandler = [](const platform::MessageBoxRecord& box) -> int {
        if (box.text == kPlayAgain) return platform::IDNO;
        if (box.text == kQuitGame) return platform::IDYES;
        return platform::IDOK;
    };
    for (const auto& fixed : kFixedSettings) store_->WriteValue(SettingsKey, fixed.name, fixed.value);
    for (const auto& [name, value] : config.settings)
        store_->WriteValue(SettingsKey, name, static_cast<std::uint32_t>(value));

    previousSink_ = SetPlayEventSink([this](const PlayEvent& event) { OnEvent(event); });

    // The program's own start-up, from the strings on.
    GameOptions = {};
    AppTitle = LoadResourceString(IDS_APP_TITLE, kStringBufferSize);
    WindowClassName = LoadResourceString(IDS_WINDOW_CLASS, kStringBufferSize);
    RegisterWindowClass();
    started_ = app_.Create(platform::ShowCommand::Normal) && headless_.desktop.MainWindow();
    if (!started_) return;
    window_ = headless_.desktop.MainWindow();
    window_->SetRasterising(false);
    window_->SetRecording(false);
    window_->DrawCalls().clear();
}

Simulator::~Simulator() {
    SetPlayEventSink(std::move(previousSink_));
}

bool Simulator::Play(std::int64_t games) {
    if (!started_) return false;
    gamesWanted_ = gamesBefore_ + games;
    const auto begin = std::chrono::steady_clock::now();
    while (breach_.empty() && stats_.games < gamesWanted_) {
        if (!app_.playfield || app_.IsGameOver()) {
            headless_.desktop.DeliverPosted();
            // Only tests look at the tones; without this they would pile up.
            headless_.tones.Clear();
            headless_.desktop.ForgetHistory();
            Command(ID_NEW_GAME);
            continue;
        }
        PlayCard();
        if (config_.check && window_->OutsideDraws() > 0) Fail("the game drew outside the window");
    }
    stats_.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    gamesBefore_ = stats_.games;
    return breach_.empty();
}

void Simulator::PlayCard() {
    if (cardsThisGame_ >= kMaxCardsPerGame) {
        Command(ID_NEW_GAME);
        return;
    }
    const CPlayfield& playfield = *app_.playfield;
    const std::int64_t landed = landings_;
    SimPolicy::Choice choice = policy_.Choose(playfield);
    for (int trades = 0; !choice.pays && trades < kMaxTrades && TradeAllowed(); ++trades) {
        Press(platform::VK_SPACE);
        choice = policy_.Choose(playfield);
    }

    const int from = playfield.GetColumn();
    const platform::WPARAM step = choice.column < from ? platform::VK_LEFT : platform::VK_RIGHT;
    for (int moves = std::abs(choice.column - from); moves > 0; --moves) {
        Press(step);
        // Moved over a stack of 12, the card touches it and lands at once.
        if (landings_ != landed || app_.IsGameOver()) return;
    }
    // The arrow toward the stacks' base line drops the card.
    Press(GameOptions.UpDown == 1 ? platform::VK_DOWN : platform::VK_UP);
    if (landings_ == landed && !app_.IsGameOver())
        Fail("the card dropped over column " + std::to_string(choice.column) + " did not land");
}

bool Simulator::TradeAllowed() const {
    const std::int32_t mode = GameOptions.SwapMode;
    return mode >= 1 && mode <= 3 && (GameOptions.OneDeck == 0 || app_.playfield->GetDeck().CardsLeft() > 0);
}

void Simulator::Press(platform::WPARAM key) {
    app_.HandleMessage(window_, Msg::KeyDown, key, 0);
}

void Simulator::Command(int id) {
    app_.HandleMessage(window_, Msg::Command, static_cast<platform::WPARAM>(id), 0);
}

void Simulator::Fail(const std::string& what) {
    if (breach_.empty()) breach_ = "game " + std::to_string(gamesStarted_ - 1) + ": " + what;
}

void Simulator::OnEvent(const PlayEvent& event) {
    if (!breach_.empty()) return;
    if (config_.check) {
        std::string what;
        if (!checker_.OnEvent(event, app_.playfield.get(), what)) Fail(what);
    }
    // Once the run has its games, a new game that an abandoned one left behind goes unrecorded.
    const bool recorded = stats_.games < gamesWanted_;
    switch (event.kind) {
        case PlayEvent::Kind::Game:
            ++gamesStarted_;
            cardsThisGame_ = 0;
            policy_.MarkAllChanged();
            break;
        case PlayEvent::Kind::Deal:
            if (recorded) ++stats_.cardsDealt;
            break;
        case PlayEvent::Kind::Swap:
            break;
        case PlayEvent::Kind::Land:
            ++landings_;
            ++cardsThisGame_;
            policy_.MarkChanged(event.column);
            if (recorded && event.collapsed > 0 && event.hand >= 0 && event.hand < SimStats::kHands)
                ++stats_.hands[event.hand];
            break;
        case PlayEvent::Kind::Level:
            policy_.MarkAllChanged();
            if (recorded && event.level > stats_.maxLevel) stats_.maxLevel = event.level;
            break;
        case PlayEvent::Kind::Over:
            break;
    }
    if (recorded && trace_) trace_->Write(event, gamesStarted_ - 1);
    if (recorded && event.kind == PlayEvent::Kind::Over) stats_.AddGame(event.reason, event.winnings);
}
