#include "tools/sim/SimStats.h"

namespace {

constexpr const char* kHandNames[SimStats::kHands] = {"NoHand",        "Straight",    "Flush",
                                                      "FullHouse",     "FourOfAKind", "FourOfAKindAndOne",
                                                      "StraightFlush", "RoyalFlush"};
// 3 is never raised; it reads as NoRoom.
constexpr const char* kReasonNames[SimStats::kReasons] = {"NoRoom", "DeckEmptied", "PerpetualHand", nullptr,
                                                          "Abandoned"};

}  // namespace

void SimStats::AddGame(std::int32_t reason, std::int32_t winnings) {
    if (reason < 0 || reason >= kReasons || !kReasonNames[reason]) reason = 0;
    ++endReasons[reason];
    bestWinnings = games == 0 || winnings > bestWinnings ? winnings : bestWinnings;
    winningsTotal += winnings;
    ++games;
}

const char* SimStats::HandName(int code) {
    return code >= 0 && code < kHands ? kHandNames[code] : "?";
}

const char* SimStats::ReasonName(int reason) {
    return reason >= 0 && reason < kReasons && kReasonNames[reason] ? kReasonNames[reason] : "NoRoom";
}

void SimStats::WriteJson(std::FILE* out) const {
    std::fprintf(out,
                 "{\"games\":%lld,\"seconds\":%.6f,\"games_per_second\":%.1f,\"mean_winnings\":%.3f,"
                 "\"best_winnings\":%d,\"cards_dealt\":%lld,\"max_level\":%d,\"hands\":{",
                 static_cast<long long>(games), seconds, GamesPerSecond(), MeanWinnings(), bestWinnings,
                 static_cast<long long>(cardsDealt), maxLevel);
    for (int code = 0; code < kHands; ++code)
        std::fprintf(out, "%s\"%s\":%lld", code ? "," : "", kHandNames[code],
                     static_cast<long long>(hands[code]));
    std::fputs("},\"end_reasons\":{", out);
    const char* separator = "";
    for (int reason = 0; reason < kReasons; ++reason) {
        if (!kReasonNames[reason]) continue;
        std::fprintf(out, "%s\"%s\":%lld", separator, kReasonNames[reason],
                     static_cast<long long>(endReasons[reason]));
        separator = ",";
    }
    std::fputs("}}\n", out);
}

void SimStats::WriteSummary(std::FILE* out, std::uint32_t seed) const {
    std::fprintf(out, "%lld %s in %.3f s (%.0f games/s), seed %u\n", static_cast<long long>(games),
                 games == 1 ? "game" : "games", seconds, GamesPerSecond(), seed);
    std::fprintf(out, "winnings: mean %.2f, best %d; %lld cards dealt; highest level %d\n", MeanWinnings(),
                 bestWinnings, static_cast<long long>(cardsDealt), maxLevel);
    std::fputs("collapses:", out);
    for (int code = 0; code < kHands; ++code)
        if (hands[code]) std::fprintf(out, " %s %lld", kHandNames[code], static_cast<long long>(hands[code]));
    std::fputs("\nendings:", out);
    for (int reason = 0; reason < kReasons; ++reason)
        if (endReasons[reason])
            std::fprintf(out, " %s %lld", kReasonNames[reason], static_cast<long long>(endReasons[reason]));
    std::fputs("\n", out);
}
