#include "cards/CCardStack.h"

#include <cassert>

#include "app/GameOptions.h"
#include "cards/CDeck.h"
#include "sound/PlayTone.h"

namespace {

// The sentinel's card: only ever drawn, as the marker, never read as a value.
constexpr std::int32_t kSlotMarkerValue = 3;

constexpr std::uint32_t kClearToneHz = 120;
constexpr std::uint32_t kClearToneMs = 50;

}  // namespace

CCardStack::CCardStack() {
    auto marker = std::make_unique<CCard>(kSlotMarkerValue);
    marker->SetDrawMode(CCard::SlotMarker);
    auto sentinel = std::make_unique<CCardListNode>(marker.get());
    head = end = sentinel.release();
    marker.release();
}

CCardStack::~CCardStack() {
    RemoveAll();
    const std::unique_ptr<CCardListNode> sentinel(end);
    const std::unique_ptr<CCard> marker(sentinel->card);
}

void CCardStack::SetPosition(int newX, int newY) {
    x = newX;
    y = newY;
}

bool CCardStack::Push(std::unique_ptr<CCard> card) {
    assert(card);
    std::unique_ptr<CCardListNode> node = spare ? std::move(spare) : std::make_unique<CCardListNode>(nullptr);
    node->card = card.get();
    node->next = head;
    head->prev = node.get();
    head = node.release();
    card.release();
    ++count;
    return true;
}

std::unique_ptr<CCard> CCardStack::PopTop() {
    if (head == end) return nullptr;
    std::unique_ptr<CCardListNode> top(head);
    std::unique_ptr<CCard> card(top->card);
    head = top->next;
    head->prev = nullptr;
    --count;
    top->card = nullptr;
    top->next = nullptr;
    spare = std::move(top);
    return card;
}

bool CCardStack::RemoveAll() {
    while (PopTop()) {
    }
    return true;
}

std::int32_t CCardStack::TopY() const {
    return y - kCardPitch * count * GameOptions.UpDown;
}

std::int32_t CCardStack::Gap(int, int cardY) const {
    return (TopY() - cardY) * GameOptions.UpDown;
}

void CCardStack::Draw(platform::DrawingContext& dc) const {
    const int step = kCardPitch * GameOptions.UpDown;
    int offset = 0;
    // Bottom up: the marker first, then each card over the one beneath it.
    for (const CCardListNode* node = end; node; node = node->prev) {
        node->card->Draw(dc, x, y + offset, true);
        if (node != end) offset -= step;
    }
}

std::int32_t CCardStack::Clear(platform::DrawingContext& dc) {
    const int step = kCardPitch * GameOptions.UpDown;
    int offset = -step * (count - 1);
    std::int32_t total = 0;
    for (std::int32_t held = count; held > 0; --held) {
        const std::unique_ptr<CCard> card = PopTop();
        card->Draw(dc, x, y + offset, false);
        PlayTone(kClearToneHz, kClearToneMs, GameOptions.Beep);
        if (count > 0) offset += step;
        total += CardPoints(card->GetValue());
    }
    return total;
}

std::int32_t CCardStack::Collapse(platform::DrawingContext& dc, std::int32_t n, CDeck* deck) {
    const std::int32_t score = BaseScore(n);
    const int step = kCardPitch * GameOptions.UpDown;
    int offset = -step * (count - 1);
    for (std::int32_t i = 0; i < n; ++i) {
        std::unique_ptr<CCard> card = PopTop();
        if (!card) break;
        card->Draw(dc, x, y + offset, false);
        if (deck && GameOptions.OneDeck == 2) deck->StuffBack(card->GetValue());
        card.reset();
        if (count > 0) offset += step;
        // The erase also wiped the strip of the card beneath; with none left, the marker.
        head->card->Draw(dc, x, y + offset, true);
        PlayTone(static_cast<std::uint32_t>(110 * i + 220), static_cast<std::uint32_t>(600 / (i + 4) + 50),
                 GameOptions.Beep);
    }
    return score;
}
