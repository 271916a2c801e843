#include "tools/sim/SimConfig.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace {

// The whole text as a number within [low, high], or nothing.
template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, Number low, Number high) {
    long long value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc{} || stop != end || value < static_cast<long long>(low) ||
        value > static_cast<long long>(high))
        return std::nullopt;
    return static_cast<Number>(value);
}

bool IsSettable(std::string_view name) {
    for (const char* option : kSimSettableOptions)
        if (name == option) return true;
    return false;
}

}  // namespace

std::optional<SimConfig> ParseSimArguments(const std::vector<std::string>& arguments,
                                           std::uint32_t defaultSeed, std::string& error) {
    SimConfig config;
    config.seed = defaultSeed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue =
            argument == "--games" || argument == "--seed" || argument == "--set" || argument == "--trace";
        if (takesValue && i + 1 == arguments.size()) {
            error = argument + " needs a value";
            return std::nullopt;
        }
        if (argument == "--games") {
            const auto games =
                ParseNumber<std::int64_t>(arguments[++i], 1, std::numeric_limits<std::int32_t>::max());
            if (!games) {
                error = "--games takes a whole number of at least 1, not '" + arguments[i] + "'";
                return std::nullopt;
            }
            config.games = *games;
        } else if (argument == "--seed") {
            const auto seed =
                ParseNumber<std::uint32_t>(arguments[++i], 0, std::numeric_limits<std::uint32_t>::max());
            if (!seed) {
                error = "--seed takes a whole number from 0 to 4294967295, not '" + arguments[i] + "'";
                return std::nullopt;
            }
            config.seed = *seed;
        } else if (argument == "--set") {
            const std::string& assignment = arguments[++i];
            const std::size_t equals = assignment.find('=');
            const std::string name = assignment.substr(0, equals);
            if (equals == std::string::npos || !IsSettable(name)) {
                error =
                    "--set takes Name=Value with Name one of SwapMode, OneDeck, EndOnShuffle, "
                    "LastStack, UpDown, CollapseRegime, GetFaster, ClearStacks, Beep; not '" +
                    assignment + "'";
                return std::nullopt;
            }
            const auto value = ParseNumber<std::int32_t>(std::string_view(assignment).substr(equals + 1),
                                                         std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max());
            if (!value) {
                error =
                    "--set " + name + " takes a whole number, not '" + assignment.substr(equals + 1) + "'";
                return std::nullopt;
            }
            config.settings.emplace_back(name, *value);
        } else if (argument == "--trace") {
            config.traceFile = arguments[++i];
            if (config.traceFile.empty()) {
                error = "--trace needs a file name";
                return std::nullopt;
            }
        } else if (argument == "--json") {
            config.json = true;
        } else if (argument == "--check") {
            config.check = true;
        } else {
            error = "unknown argument '" + argument +
                    "'; usage: deckfall-sim [--games N] [--seed S] [--set Name=Value]... [--trace "
                    "FILE] "
                    "[--json] [--check]";
            return std::nullopt;
        }
    }
    return config;
}
