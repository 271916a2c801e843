#pragma once
// Whole games played headless: the real main window on the headless desktop
// with its virtual clock, an in-memory settings store and an in-process card
// library, driven through its messages by a simple player. Sleeps and tones
// take no time, so games run as fast as the game objects allow.
//
// The program's objects are process-wide: one Simulator at a time.

#include <cstdint>
#include <memory>
#include <string>

#include "app/CMainWindow.h"
#include "engine/PlayEvents.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "tools/sim/SimChecker.h"
#include "tools/sim/SimConfig.h"
#include "tools/sim/SimPolicy.h"
#include "tools/sim/SimStats.h"
#include "tools/sim/SimTrace.h"

class Simulator {
public:
    // A game that has not ended after this many landed cards is abandoned with New
    // Game: with stacks cleared at every level the player never runs out of room.
    static constexpr std::int32_t kMaxCardsPerGame = 2000;
    // Trades per card at most, when the card suits no column: enough to see every
    // card a seven-card trade offers.
    static constexpr int kMaxTrades = 2;

    // Starts the program with the options of `config` and its first game; every game
    // event goes to `trace` when one is given.
    Simulator(const SimConfig& config, SimTrace* trace);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // False when the program could not start.
    bool Started() const { return started_; }

    // Plays until `games` more games have ended, counting for the first call a game that
    // ended during start-up. False when a check failed (see Breach).
    bool Play(std::int64_t games);
    const SimStats& Stats() const { return stats_; }
    const std::string& Breach() const { return breach_; }

private:
    void OnEvent(const PlayEvent& event);
    void PlayCard();
    void Press(platform::WPARAM key);
    void Command(int id);
    bool TradeAllowed() const;
    void Fail(const std::string& what);

    const SimConfig config_;
    std::unique_ptr<platform::SqliteSettingsStore> store_;
    platform::HeadlessPlatform headless_;
    CMainWindow app_;
    platform::HeadlessWindow* window_ = nullptr;
    SimPolicy policy_;
    SimChecker checker_;
    SimTrace* trace_;
    SimStats stats_;
    PlayEventSink previousSink_;

    bool started_ = false;
    std::string breach_;
    std::int64_t gamesStarted_ = 0;
    std::int64_t gamesWanted_ = 0;  // the run counts and traces events until this many games ended
    std::int64_t gamesBefore_ = 0;  // games counted when the last call to Play returned
    std::int64_t landings_ = 0;
    std::int32_t cardsThisGame_ = 0;
};
