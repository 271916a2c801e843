// The simulator: its games repeat exactly for a seed, its trace tells them whole,
// its checks hold over every trading and deck mode and catch a broken count, and
// the program's report adds up and its refusals are what other tools rely on.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/GameOptions.h"
#include "tools/sim/SimChecker.h"
#include "tools/sim/SimConfig.h"
#include "tools/sim/Simulator.h"

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name) {
    return fs::temp_directory_path() / ("deckfall-sim-test-" + std::to_string(::getpid()) + "-" + name);
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

SimConfig Config(std::uint32_t seed, std::vector<std::pair<std::string, std::int32_t>> settings = {}) {
    SimConfig config;
    config.seed = seed;
    config.settings = std::move(settings);
    return config;
}

// Plays `games` games with a trace; returns the trace and the run's figures.
std::string TracedRun(const SimConfig& config, std::int64_t games, SimStats& stats) {
    const fs::path file = TempFile("trace");
    {
        SimTrace trace(file.string());
        Simulator simulator(config, &trace);
        EXPECT_TRUE(simulator.Started());
        EXPECT_TRUE(simulator.Play(games)) << simulator.Breach();
        EXPECT_TRUE(trace.Close());
        stats = simulator.Stats();
    }
    std::string text = ReadAll(file);
    fs::remove(file);
    return text;
}

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Outcome RunProgram(const std::string& arguments) {
    const fs::path out = TempFile("out");
    const fs::path err = TempFile("err");
    const std::string command =
        std::string(DECKFALL_SIM_PROGRAM) + " " + arguments + " >" + out.string() + " 2>" + err.string();
    const int status = std::system(command.c_str());
    Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
    fs::remove(out);
    fs::remove(err);
    return outcome;
}

TEST(SimulatorTest, TraceOfASeedRepeatsExactlyAndTellsEveryGameWhole) {
    const SimConfig config = Config(12345, {{"SwapMode", 3}, {"OneDeck", 2}});
    SimStats first;
    SimStats second;
    const std::string trace = TracedRun(config, 20, first);
    EXPECT_EQ(trace, TracedRun(config, 20, second));
    SimStats other;
    EXPECT_NE(trace, TracedRun(Config(54321, config.settings), 20, other));

    // The trace agrees with the figures: every game opens, deals and ends in it.
    std::map<std::string, std::int64_t> kinds;
    std::istringstream lines(trace);
    std::int64_t nextGame = 0;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_EQ(line.rfind("{\"e\":\"", 0), 0u) << line;
        ASSERT_EQ(line.back(), '}') << line;
        const std::string kind = line.substr(6, line.find('"', 6) - 6);
        ++kinds[kind];
        if (kind == "game") {
            EXPECT_EQ(line, "{\"e\":\"game\",\"index\":" + std::to_string(nextGame++) + "}");
        }
    }
    EXPECT_EQ(kinds["game"], 20);
    EXPECT_EQ(kinds["over"], 20);
    EXPECT_EQ(kinds["deal"], first.cardsDealt);
    EXPECT_GT(kinds["swap"], 0);
    EXPECT_EQ(kinds["deal"], kinds["land"] + kinds["game"]);
    EXPECT_EQ(first.games, 20);
}

TEST(SimulatorTest, ChecksHoldInEveryTradingAndDeckMode) {
    for (int swapMode = 1; swapMode <= 4; ++swapMode)
        for (int oneDeck = 0; oneDeck <= 2; ++oneDeck) {
            SimConfig config = Config(2024, {{"SwapMode", swapMode}, {"OneDeck", oneDeck}});
            config.check = true;
            Simulator simulator(config, nullptr);
            EXPECT_TRUE(simulator.Play(200))
                << "SwapMode " << swapMode << ", OneDeck " << oneDeck << ": " << simulator.Breach();
            EXPECT_EQ(simulator.Stats().games, 200);
        }
}

// A deck that runs out for good reshuffles at every deal; after a trade has already
// reshuffled it, more than 52 cards remain and the reshuffle keeps only 52 of them.
// Game 327 of this seed ends that way.
TEST(SimulatorTest, ChecksAcceptAReshuffleThatKeepsOnly52OfTheCardsLeft) {
    SimConfig config = Config(9, {{"SwapMode", 1}, {"OneDeck", 2}, {"EndOnShuffle", 1}});
    config.check = true;
    SimStats stats;
    const std::string trace = TracedRun(config, 328, stats);

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

TEST(SimulatorTest, CheckerCatchesADeckOutOfRangeAndCardsAppearingFromNowhere) {
    GameOptions = {};
    GameOptions.OneDeck = 2;
    std::string breach;
    SimChecker checker;
    PlayEvent game{.kind = PlayEvent::Kind::Game};
    ASSERT_TRUE(checker.OnEvent(game, nullptr, breach));
    EXPECT_FALSE(checker.OnEvent({.kind = PlayEvent::Kind::Deal, .card = 5, .left = 105}, nullptr, breach));
    EXPECT_NE(breach.find("105"), std::string::npos) << breach;

    SimChecker fresh;
    ASSERT_TRUE(fresh.OnEvent(game, nullptr, breach));
    EXPECT_FALSE(fresh.OnEvent({.kind = PlayEvent::Kind::Deal, .card = 5, .left = 52}, nullptr, breach));
    EXPECT_NE(breach.find("53"), std::string::npos) << breach;
    GameOptions = {};
}

// The report's counts add up: every game played has one ending.
TEST(SimulatorProgramTest, JsonReportAccountsForEveryGame) {
    const Outcome run = RunProgram("--games 7 --seed 9 --json --set UpDown=-1 --set LastStack=0");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line";
    const auto number = [&](const std::string& key) {
        const std::size_t at = run.out.find("\"" + key + "\":");
        return at == std::string::npos ? -1 : std::atoi(run.out.c_str() + at + key.size() + 3);
    };
    EXPECT_EQ(number("games"), 7);
    EXPECT_EQ(number("NoRoom") + number("DeckEmptied") + number("PerpetualHand") + number("Abandoned"), 7)
        << run.out;
}

TEST(SimulatorProgramTest, BadArgumentsGetOneLineAndExitCode2) {
    for (const char* arguments :
         {"--games 0", "--games many", "--games", "--seed -1", "--seed 4294967296", "--set Music=1",
          "--set SwapMode", "--set SwapMode=two", "--json --verbose", "--trace /nonexistent-folder/trace"}) {
        const Outcome run = RunProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments << ": " << run.err;
    }
}

}  // namespace
