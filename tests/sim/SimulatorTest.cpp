// Whole games through the simulator: a seed replays its games exactly, the checks hold
// over every trading and deck mode, and they allow the rarest reshuffle there is.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/sim/Simulator.h"

namespace {

SimConfig Config(std::uint32_t seed, std::vector<std::pair<std::string, std::int32_t>> settings,
                 bool check = false) {
    SimConfig config;
    config.seed = seed;
    config.settings = std::move(settings);
    config.check = check;
    return config;
}

// Plays `games` games with a trace, which it returns.
std::string TracedRun(const SimConfig& config, std::int64_t games) {
    const std::string file = testing::TempDir() + "deckfall-sim-trace-" + std::to_string(getpid());
    {
        SimTrace trace(file);
        Simulator simulator(config, &trace);
        EXPECT_TRUE(simulator.Play(games)) << simulator.Breach();
        EXPECT_EQ(simulator.Stats().games, games);
        EXPECT_TRUE(trace.Close());
    }
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    std::filesystem::remove(file);
    return text.str();
}

// Nothing but the seed may decide a game.
TEST(SimulatorTest, ASeedReplaysItsGamesExactly) {
    const SimConfig config = Config(12345, {{"SwapMode", 3}, {"OneDeck", 2}});
    const std::string trace = TracedRun(config, 20);
    EXPECT_EQ(trace, TracedRun(config, 20));
    EXPECT_NE(trace, TracedRun(Config(54321, config.settings), 20));
}

TEST(SimulatorTest, ChecksHoldInEveryTradingAndDeckMode) {
    for (int swapMode = 1; swapMode <= 4; ++swapMode)
        for (int oneDeck = 0; oneDeck <= 2; ++oneDeck) {
            Simulator simulator(Config(2024, {{"SwapMode", swapMode}, {"OneDeck", oneDeck}}, true), nullptr);
            EXPECT_TRUE(simulator.Play(200))
                << "SwapMode " << swapMode << ", OneDeck " << oneDeck << ": " << simulator.Breach();
        }
}

// A deck that runs out for good reshuffles at every deal; after a trade has already
// reshuffled it, more than 52 cards remain and the reshuffle keeps only 52 of them.
// Game 327 of this seed ends that way.
TEST(SimulatorTest, ChecksAcceptAReshuffleThatKeepsOnly52OfTheCardsLeft) {
    const std::string trace =
        TracedRun(Config(9, {{"SwapMode", 1}, {"OneDeck", 2}, {"EndOnShuffle", 1}}, true), 328);

    // The run still reaches that ending: a deal from more than 52 cards to 103, then the end.
    std::istringstream lines(trace);
    int left = 0, dealt = -1, reason = -1;
    bool reached = false;
    for (std::string line; std::getline(lines, line);) {
        int now = 0;
        if (std::sscanf(line.c_str(), "{\"e\":\"deal\",\"card\":%*d,\"left\":%d", &now) == 1) {
            dealt = left > 52 ? now : -1;
            left = now;
        } else if (std::sscanf(line.c_str(), "{\"e\":\"swap\",\"ok\":%*[a-z],\"card\":%*d,\"left\":%d",
                               &now) == 1) {
            left = now;
        } else if (std::sscanf(line.c_str(), "{\"e\":\"over\",\"reason\":%d", &reason) == 1) {
            reached = reached || (dealt == 103 && reason == 2);
        } else if (line.rfind("{\"e\":\"land\"", 0) != 0) {
            dealt = -1;
        }
    }
    EXPECT_TRUE(reached);
}

}  // namespace
