#include "tools/sim/SimPolicy.h"

#include <cstdlib>

#include "app/GameOptions.h"
#include "cards/CDeck.h"
#include "engine/CBoardLayout.h"
#include "engine/CPlayfield.h"

namespace {

// A card moved over a stack of 12 touches it and lands; over 13 it is refused.
constexpr int kLandsOnArrival = 12;

}  // namespace

void SimPolicy::MarkChanged(int column) {
    if (column >= 0 && column < kColumns) changed_[column] = true;
}

std::unique_ptr<CCard> SimPolicy::Take(std::int32_t value) {
    auto& spare = spare_[static_cast<std::size_t>(value) % kCardCount];
    if (spare.empty()) return std::make_unique<CCard>(value);
    auto card = std::move(spare.back());
    spare.pop_back();
    return card;
}

void SimPolicy::Give(std::unique_ptr<CCard> card) {
    if (card) spare_[static_cast<std::size_t>(card->GetValue()) % kCardCount].push_back(std::move(card));
}

void SimPolicy::Sync(const CBoardLayout& stacks, int column) {
    changed_[column] = false;
    const CCardStack* real = stacks.GetStack(column);
    if (!real) return;
    // The real stack reads from the top; the copy is compared from the bottom, where
    // nothing changes between landings.
    std::array<std::int32_t, kCopyHeight> topDown;
    int height = 0;
    for (const CCardListNode* node = real->Head(); node != real->End() && height < kCopyHeight;
         node = node->next)
        topDown[height++] = node->card->GetValue();

    auto& values = values_[column];
    int& copied = heights_[column];
    int same = 0;
    while (same < copied && same < height && values[same] == topDown[height - 1 - same]) ++same;
    CCardStack& copy = copies_[column];
    for (; copied > same; --copied) Give(copy.PopTop());
    for (; copied < height; ++copied) {
        values[copied] = topDown[height - 1 - copied];
        copy.Push(Take(values[copied]));
    }
}

SimPolicy::Choice SimPolicy::Choose(const CPlayfield& playfield) {
    const CBoardLayout& stacks = playfield.GetStacks();
    const int from = playfield.GetColumn();
    const CCard* falling = playfield.GetDeck().Current();
    if (!falling || from < 0 || from >= kColumns) return {from < 0 ? 0 : from, false, 0};

    std::array<bool, kColumns> reachable{};
    std::array<std::int32_t, kColumns> counts{};
    for (int c = 0; c < kColumns; ++c) counts[c] = stacks.GetStack(c)->Count();
    reachable[from] = true;
    for (const int step : {-1, 1}) {
        for (int c = from + step; c >= 0 && c < kColumns && counts[c] <= kLandsOnArrival; c += step) {
            reachable[c] = true;
            if (counts[c] == kLandsOnArrival) break;
        }
    }

    // Ties go to the nearest column, then to the leftmost.
    auto before = [from](int a, int b) {
        const int da = std::abs(a - from);
        const int db = std::abs(b - from);
        return da != db ? da < db : a < b;
    };

    Choice paying{-1, false, 0};
    int lowest = -1;
    // One card object visits every copy in turn.
    std::unique_ptr<CCard> card = Take(falling->GetValue());
    for (int c = 0; c < kColumns; ++c) {
        if (!reachable[c]) continue;
        if (changed_[c]) Sync(stacks, c);
        CCardStack& copy = copies_[c];
        copy.Push(std::move(card));
        const std::int32_t n = copy.Evaluate(nullptr);
        if (n > 0 && n >= GameOptions.MinCollapse) {
            const std::int32_t base = copy.BaseScore(n);
            if (paying.column < 0 || base > paying.base || (base == paying.base && before(c, paying.column)))
                paying = {c, true, base};
        }
        card = copy.PopTop();
        if (lowest < 0 || counts[c] < counts[lowest] || (counts[c] == counts[lowest] && before(c, lowest)))
            lowest = c;
    }
    Give(std::move(card));
    if (paying.column >= 0) return paying;
    return {lowest, false, 0};
}
