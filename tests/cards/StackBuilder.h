#pragma once
// Stacks written top card first, as the rules read them.

#include <initializer_list>
#include <memory>
#include <vector>

#include "cards/CCardStack.h"

inline std::unique_ptr<CCardStack> StackOf(const std::vector<std::int32_t>& topFirst) {
    auto stack = std::make_unique<CCardStack>();
    for (auto it = topFirst.rbegin(); it != topFirst.rend(); ++it)
        stack->Push(std::make_unique<CCard>(*it));
    return stack;
}

inline std::vector<std::int32_t> TopDown(const CCardStack& stack) {
    std::vector<std::int32_t> values;
    for (const CCardListNode* node = stack.Head(); node != stack.End(); node = node->next)
        values.push_back(node->card->GetValue());
    return values;
}
