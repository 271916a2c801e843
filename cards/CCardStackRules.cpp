// The three rule sets that decide what collapses from the top of a stack and what
// it pays: melds (regime 1), poker hands (2) and twenty-one (3). Every rule reads
// the stack from its top card down.

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/GameOptions.h"
#include "cards/CCardStack.h"
#include "cards/HandCode.h"
#include "cards/RankMask.h"

namespace {

enum Regime : std::int32_t { kMelds = 1, kPoker = 2, kTwentyOne = 3 };

constexpr std::int32_t kHighAce = 13;
constexpr int kPokerDepth = 5;

// Base payouts by hand code.
constexpr std::array<std::int32_t, 8> kHandPayout = {0, 20, 10, 50, 100, 75, 500, 1000};

// The rank as a rule reads it: an ace becomes rank 13 where it counts high.
std::int32_t WorkingRank(std::int32_t value, bool aceHigh) {
    const std::int32_t rank = RankOf(value);
    return rank == kAce && aceHigh ? kHighAce : rank;
}

// A card's numeric worth: Ace 1 (14 high), Two to Ten 2 to 10, Jack 11, Queen 12, King 13.
std::int32_t Pips(std::int32_t value, bool aceHigh) {
    return WorkingRank(value, aceHigh) + 1;
}

std::int32_t PokerCardCount(std::int32_t code) {
    return code == NoHand ? 0 : code == FourOfAKind ? 4 : 5;
}

}  // namespace

std::int32_t CCardStack::PokerHand(bool aceHigh) const {
    if (count < 4) return NoHand;
    std::array<int, kHighAce + 1> rankCount{};
    std::uint32_t suits = 0;
    std::uint32_t ranks = 0;
    int read = 0;
    for (const CCardListNode* node = head; node != end && read < kPokerDepth; node = node->next) {
        const std::int32_t value = node->card->GetValue();
        const std::int32_t rank = WorkingRank(value, aceHigh);
        ++rankCount[rank];
        suits |= 1u << SuitOf(value);
        ranks |= 1u << rank;
        ++read;
        if (read == 4 && BitCount(ranks) == 1) return FourOfAKind;
    }
    if (BitCount(suits) == 1) {
        if (RunLength(ranks) == 5)
            return rankCount[kKing] == 1 && rankCount[kHighAce] == 1 ? RoyalFlush : StraightFlush;
        return read == 5 ? Flush : NoHand;
    }
    if (read == 5 && BitCount(ranks) == 2) {
        // Two ranks in five cards: 4 + 1 or 3 + 2, told apart by either rank's count.
        const auto first = std::find_if(rankCount.begin(), rankCount.end(), [](int c) { return c; });
        return *first == 4 || *first == 1 ? FourOfAKindAndOne : FullHouse;
    }
    if (BitCount(ranks) == 5 && RunLength(ranks) == 5) return Straight;
    return NoHand;
}

std::int32_t CCardStack::MeldLength(bool aceHigh) const {
    enum class Kind { Unknown, Set, Run };
    Kind kind = Kind::Unknown;
    std::int32_t best = 0;
    std::int32_t n = 1;
    std::uint32_t ranks = 0;
    std::int32_t firstRank = 0;
    std::int32_t firstSuit = 0;
    for (const CCardListNode* node = head; node != end; node = node->next, ++n) {
        const std::int32_t value = node->card->GetValue();
        const std::int32_t rank = WorkingRank(value, aceHigh);
        const std::int32_t suit = SuitOf(value);
        if (n == 1) {
            firstRank = rank;
            firstSuit = suit;
        } else if (n == 2) {
            kind = rank == firstRank ? Kind::Set : Kind::Run;
        }
        if (kind == Kind::Run && ((ranks >> rank & 1u) || suit != firstSuit)) break;
        if (kind == Kind::Set && rank != firstRank) break;
        ranks |= 1u << rank;
        // The reading goes on across gaps: a later card may close them.
        const int run = RunLength(ranks);
        if (run == n || run == 1) best = n;
    }
    return best;
}

std::int32_t CCardStack::TwentyOneLength(bool aceHigh) const {
    std::int32_t sum = 0;
    std::int32_t n = 0;
    for (const CCardListNode* node = head; node != end; node = node->next) {
        const std::int32_t rank = RankOf(node->card->GetValue());
        sum += rank == kAce ? (aceHigh ? 11 : 1) : std::min(rank + 1, 10);
        ++n;
        if (sum == 21) return n;
    }
    return 0;
}

std::int32_t CCardStack::Evaluate(std::int32_t* handType) const {
    std::int32_t cards = 0;
    std::int32_t hand = NoHand;
    switch (GameOptions.CollapseRegime) {
        case kMelds:
            cards = std::max(MeldLength(false), MeldLength(true));
            break;
        case kPoker: {
            const std::int32_t low = PokerHand(false);
            const std::int32_t high = PokerHand(true);
            cards = std::max(PokerCardCount(low), PokerCardCount(high));
            hand = std::max(low, high);
            break;
        }
        case kTwentyOne:
            cards = std::max(TwentyOneLength(false), TwentyOneLength(true));
            break;
        default:
            break;
    }
    if (handType) *handType = hand;
    return cards;
}

std::int32_t CCardStack::BaseScore(std::int32_t n) const {
    switch (GameOptions.CollapseRegime) {
        case kMelds: {
            // Aces count 5, or 15 beside a King or in a set of aces.
            std::int32_t points = 0;
            std::int32_t aces = 0;
            bool king = false;
            std::int32_t read = 0;
            for (const CCardListNode* node = head; node != end && read < n; node = node->next) {
                const std::int32_t rank = RankOf(node->card->GetValue());
                points += rank >= kTen ? 10 : 5;
                aces += rank == kAce;
                king = king || rank == kKing;
                ++read;
            }
            if (king || aces == n) points += 10 * aces;
            // Each card beyond the shortest meld doubles the payout.
            const std::int32_t doublings = n - GameOptions.MinCollapse;
            return doublings >= 0 ? points << doublings : points >> -doublings;
        }
        case kPoker: {
            const std::int32_t low = PokerHand(false);
            const std::int32_t high = PokerHand(true);
            const std::int32_t code = std::max(low, high);
            // The ace counts low only when only the low reading found the hand (Ace to Five).
            const bool aceHigh = !(low > high);
            const int depth = code == FourOfAKind ? 4 : kPokerDepth;
            std::int32_t sum = 0;
            int read = 0;
            for (const CCardListNode* node = head; node != end && read < depth; node = node->next) {
                sum += Pips(node->card->GetValue(), aceHigh);
                ++read;
                // Four of a kind counts its rank five times.
                if (code == FourOfAKind && read == 4) sum += Pips(node->card->GetValue(), aceHigh);
            }
            return static_cast<std::int32_t>(kHandPayout[code] * (sum / 60.0 + 1.0));
        }
        case kTwentyOne:
            return n == 2 ? 42 : 21;
        default:
            return 0;
    }
}
