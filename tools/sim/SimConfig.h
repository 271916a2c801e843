#pragma once
// What one run of the simulator is asked to do, read from its command line.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SimConfig {
    std::int64_t games = 1;
    std::uint32_t seed = 0;
    // Option values written into the settings store before the program starts.
    std::vector<std::pair<std::string, std::int32_t>> settings;
    std::string traceFile;  // empty: no trace
    bool json = false;
    bool check = false;
};

// The options the simulator lets a run change, by their names in the settings store.
inline constexpr const char* kSimSettableOptions[] = {"SwapMode",  "OneDeck",     "EndOnShuffle",
                                                      "LastStack", "UpDown",      "CollapseRegime",
                                                      "GetFaster", "ClearStacks", "Beep"};

// The configuration, or nothing with one line in `error` that says what is wrong.
// `defaultSeed` stands for the seed when --seed is not given.
std::optional<SimConfig> ParseSimArguments(const std::vector<std::string>& arguments,
                                           std::uint32_t defaultSeed, std::string& error);
