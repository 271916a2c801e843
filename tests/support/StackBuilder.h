#pragma once
// Stacks written top card first, as the rules read them, in a short notation:
// rank then suit, "TH JH QH KH AH" is Ten to Ace of hearts.

#include <memory>
#include <string_view>
#include <vector>

#include "cards/CCardStack.h"

inline std::vector<std::int32_t> Cards(std::string_view text) {
    constexpr std::string_view ranks = "A23456789TJQK";
    constexpr std::string_view suits = "CDHS";
    std::vector<std::int32_t> values;
    for (std::size_t i = 0; i + 1 < text.size(); i += 3)
        values.push_back(MakeCard(static_cast<std::int32_t>(ranks.find(text[i])),
                                  static_cast<std::int32_t>(suits.find(text[i + 1]))));
    return values;
}

inline std::unique_ptr<CCardStack> StackOf(const std::vector<std::int32_t>& topFirst) {
    auto stack = std::make_unique<CCardStack>();
    for (auto it = topFirst.rbegin(); it != topFirst.rend(); ++it) stack->Push(std::make_unique<CCard>(*it));
    return stack;
}
