#pragma once
// The row of seven stacks and the geometry of the board. It owns the stacks
// through a doubly linked list in column order, places them from the client
// rectangle at every paint, and forwards per-column requests to the right stack.
// Only the stacks' base positions survive between paints, so the board
// re-centres itself whenever the window is resized.

#include <cstdint>
#include <memory>

#include "cards/CCard.h"
#include "cards/CCardStack.h"
#include "platform/DrawingContext.h"
#include "platform/Types.h"

class CDeck;

class CBoardLayout {
public:
    static constexpr int kStacks = 7;
    static constexpr int kStartColumn = 3;

    CBoardLayout() = default;
    virtual ~CBoardLayout();
    CBoardLayout(const CBoardLayout&) = delete;
    CBoardLayout& operator=(const CBoardLayout&) = delete;

    // Appends seven new, empty stacks.
    void CreateStacks();
    // Appends a node that owns the stack.
    bool Append(std::unique_ptr<CCardStack> stack);
    // Null past the end.
    CCardStack* GetStack(int index);
    const CCardStack* GetStack(int index) const;
    std::int32_t Count() const { return count; }

    // Positions the stacks from the client rectangle and reports where new cards
    // enter and where the board lies.
    void Layout(const platform::Rect& client, std::int32_t& startX, std::int32_t& startY,
                std::int32_t& startColumn, platform::Rect& boardRect);
    void DrawAll(platform::DrawingContext& dc) const;

    // The stack operations of one column.
    std::int32_t TopY(int column) const;
    std::int32_t Gap(int column, int x, int y) const;
    bool Push(int column, std::unique_ptr<CCard> card);
    std::int32_t Evaluate(int column, std::int32_t* handType) const;
    std::int32_t Collapse(int column, platform::DrawingContext& dc, std::int32_t n, CDeck* deck);

    // Empties every stack with its animation and shows the slot markers; returns
    // the card points of the removed cards.
    std::int32_t ClearAll(platform::DrawingContext& dc);

private:
    // One column: the node owns its stack and the node after it.
    class Node {
    public:
        explicit Node(std::unique_ptr<CCardStack> stack) : stack(std::move(stack)) {}
        virtual ~Node() = default;
        Node(const Node&) = delete;
        Node& operator=(const Node&) = delete;

        std::unique_ptr<CCardStack> stack;
        std::unique_ptr<Node> next;
        Node* prev = nullptr;
    };

    std::unique_ptr<Node> first;
    std::int32_t count = 0;
};
