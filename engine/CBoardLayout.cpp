#include "engine/CBoardLayout.h"

#include <utility>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"

namespace {

constexpr int kColumnGap = 20;
constexpr int kBoardMargin = 60;
constexpr int kBaseLineAtTop = 20;
constexpr int kBaseLineAtBottom = 308;
// New cards enter twelve card pitches from the base line.
constexpr int kEntryDistance = 12 * CCardStack::kCardPitch;

}  // namespace

CBoardLayout::~CBoardLayout() {
    // Unlinked one by one, so a long row never recurses through its nodes.
    while (first) first = std::move(first->next);
    count = 0;
}

void CBoardLayout::CreateStacks() {
    for (int i = 0; i < kStacks; ++i) Append(std::make_unique<CCardStack>());
}

bool CBoardLayout::Append(std::unique_ptr<CCardStack> stack) {
    auto node = std::make_unique<Node>(std::move(stack));
    if (!first) {
        first = std::move(node);
    } else {
        Node* last = first.get();
        while (last->next) last = last->next.get();
        node->prev = last;
        last->next = std::move(node);
    }
    ++count;
    return true;
}

CCardStack* CBoardLayout::GetStack(int index) {
    return const_cast<CCardStack*>(std::as_const(*this).GetStack(index));
}

const CCardStack* CBoardLayout::GetStack(int index) const {
    if (index < 0) return nullptr;
    const Node* node = first.get();
    for (int i = 0; node && i < index; ++i) node = node->next.get();
    return node ? node->stack.get() : nullptr;
}

void CBoardLayout::Layout(const platform::Rect& client, std::int32_t& startX, std::int32_t& startY,
                          std::int32_t& startColumn, platform::Rect& boardRect) {
    const int width = theMainWindow->cardWidth;
    const int height = theMainWindow->cardHeight;
    const int up = GameOptions.UpDown;
    const int pitch = width + kColumnGap;

    const int centreX = (client.left + client.right) / 2;
    const int x0 = centreX - (kStacks * width) / 2 - kBoardMargin;
    const int baseY = up == -1 ? client.top + kBaseLineAtTop : client.top + kBaseLineAtBottom;

    int i = 0;
    for (Node* node = first.get(); node; node = node->next.get(), ++i)
        node->stack->SetPosition(x0 + i * pitch, baseY);

    startX = x0 + kStartColumn * pitch;
    startY = baseY - kEntryDistance * up;
    startColumn = kStartColumn;
    boardRect = {x0, baseY, x0 + kStacks * width + (kStacks - 1) * kColumnGap, baseY + height};
}

void CBoardLayout::DrawAll(platform::DrawingContext& dc) const {
    for (const Node* node = first.get(); node; node = node->next.get()) node->stack->Draw(dc);
}

std::int32_t CBoardLayout::TopY(int column) const {
    return GetStack(column)->TopY();
}

std::int32_t CBoardLayout::Gap(int column, int x, int y) const {
    return GetStack(column)->Gap(x, y);
}

bool CBoardLayout::Push(int column, std::unique_ptr<CCard> card) {
    return GetStack(column)->Push(std::move(card));
}

std::int32_t CBoardLayout::Evaluate(int column, std::int32_t* handType) const {
    return GetStack(column)->Evaluate(handType);
}

std::int32_t CBoardLayout::Collapse(int column, platform::DrawingContext& dc, std::int32_t n, CDeck* deck) {
    return GetStack(column)->Collapse(dc, n, deck);
}

std::int32_t CBoardLayout::ClearAll(platform::DrawingContext& dc) {
    std::int32_t total = 0;
    for (Node* node = first.get(); node; node = node->next.get()) {
        total += node->stack->Clear(dc);
        node->stack->Draw(dc);
    }
    return total;
}
