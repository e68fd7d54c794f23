// The owning doubly linked list of ListNode elements with a count and an index array for
// constant-time access. Every Append and RemoveAt is followed by RebuildIndex before the next
// IndexedAt; At walks the links and may be used at any time.
#pragma once

#include <vector>

#include "model/list_node.h"

namespace bw {

class ObjectList {
  public:
    ObjectList() = default;
    ObjectList(const ObjectList&) = delete;
    ObjectList& operator=(const ObjectList&) = delete;
    ~ObjectList();

    // Takes ownership of `node` and links it after the last element. Always true.
    bool Append(ListNode* node);
    // Unlinks and destroys element i (0 <= i < Count()); false, changing nothing, otherwise.
    bool RemoveAt(int i);
    int Count() const { return count_; }
    // Element i by walking the links from the head; nullptr when i is out of range.
    ListNode* At(int i) const;
    // Rebuilds the index from the links. Always true.
    bool RebuildIndex();
    // Element i from the index: the last element for i >= Count(), the first for i < 0,
    // nullptr on an empty list.
    ListNode* IndexedAt(int i) const;

    template <class T>
    T* IndexedAs(int i) const {
        return static_cast<T*>(IndexedAt(i));
    }

  private:
    ListNode* head_ = nullptr;
    int count_ = 0;
    std::vector<ListNode*> index_;
};

}  // namespace bw
