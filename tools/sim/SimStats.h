#pragma once
// What a run of whole games came to, and its two printed forms.

#include <array>
#include <cstdint>
#include <cstdio>

struct SimStats {
    // Hand codes 0..7 and end reasons 0..4, indexed by their numbers.
    static constexpr int kHands = 8;
    static constexpr int kReasons = 5;

    std::int64_t games = 0;
    double seconds = 0;
    std::int64_t winningsTotal = 0;
    std::int32_t bestWinnings = 0;
    std::int64_t cardsDealt = 0;
    std::int32_t maxLevel = 0;
    std::array<std::int64_t, kHands> hands{};  // collapses by hand code
    std::array<std::int64_t, kReasons> endReasons{};

    void AddGame(std::int32_t reason, std::int32_t winnings);
    double GamesPerSecond() const { return seconds > 0 ? games / seconds : 0; }
    double MeanWinnings() const { return games > 0 ? static_cast<double>(winningsTotal) / games : 0; }

    static const char* HandName(int code);
    static const char* ReasonName(int reason);

    // One JSON object on one line.
    void WriteJson(std::FILE* out) const;
    void WriteSummary(std::FILE* out, std::uint32_t seed) const;
};
