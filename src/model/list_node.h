// Base class of every element of an ObjectList.
#pragma once

namespace bw {

class ListNode {
  public:
    ListNode() = default;
    ListNode(const ListNode&) = delete;
    ListNode& operator=(const ListNode&) = delete;
    virtual ~ListNode() = default;

    // Does nothing, in every derived class as well.
    virtual void Nothing() {}

    ListNode* next = nullptr;
    ListNode* previous = nullptr;
};

}  // namespace bw
