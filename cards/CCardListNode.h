#pragma once

class CCard;

// One place in a stack. The node does not own its card; the stack owns both.
class CCardListNode {
public:
    explicit CCardListNode(CCard* card) : card(card) {}
    virtual ~CCardListNode() {
        card = nullptr;
        next = nullptr;
        prev = nullptr;
    }

    CCard* card = nullptr;
    CCardListNode* next = nullptr;  // toward the bottom of the stack
    CCardListNode* prev = nullptr;  // toward the top
};
