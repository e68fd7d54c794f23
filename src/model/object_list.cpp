#include "model/object_list.h"

namespace bw {

ObjectList::~ObjectList() {
    ListNode* node = count_ > 0 ? head_ : nullptr;
    while (node) {
        ListNode* next = node->next;
        delete node;
        node = next;
    }
}

bool ObjectList::Append(ListNode* node) {
    node->next = nullptr;
    if (count_ == 0) {
        node->previous = nullptr;
        head_ = node;
    } else {
        ListNode* last = head_;
        for (int i = 0; i < count_ - 1; ++i) last = last->next;
        last->next = node;
        node->previous = last;
    }
    ++count_;
    return true;
}

bool ObjectList::RemoveAt(int i) {
    if (i < 0 || i >= count_) return false;
    ListNode* node = At(i);
    if (node->previous) node->previous->next = node->next;
    if (node->next) node->next->previous = node->previous;
    if (node == head_) head_ = node->next;
    delete node;
    --count_;
    if (count_ == 0) head_ = nullptr;
    return true;
}

ListNode* ObjectList::At(int i) const {
    if (i < 0 || i >= count_) return nullptr;
    ListNode* node = head_;
    for (int step = 0; step < i; ++step) node = node->next;
    return node;
}

bool ObjectList::RebuildIndex() {
    index_.assign(static_cast<std::size_t>(count_) + 1, nullptr);
    ListNode* node = count_ > 0 ? head_ : nullptr;
    for (int i = 0; i < count_; ++i, node = node->next) index_[static_cast<std::size_t>(i)] = node;
    return true;
}

ListNode* ObjectList::IndexedAt(int i) const {
    if (count_ == 0 || index_.empty()) return nullptr;
    const int last = static_cast<int>(index_.size()) - 2;  // entries 0..count of the last rebuild
    if (last < 0) return nullptr;
    if (i > last) i = last;
    if (i < 0) i = 0;
    return index_[static_cast<std::size_t>(i)];
}

}  // namespace bw
