// One row's list of object files as the selection logic sees it: the entries in display order
// and the entry currently shown. The Select Parts page implements it over a drop-down list;
// tests implement it in memory, so the selection logic runs without widgets.
#pragma once

#include <string>
#include <vector>

namespace bw {

// Entry 0 of every part list: choosing it means the body part has no part.
inline constexpr const char* kNoneEntry = " (none) ";
// The only entry after kNoneEntry when a body part directory holds no object file.
inline constexpr const char* kNoFilesEntry = "No Files";

class PartList {
  public:
    virtual ~PartList() = default;

    virtual int Count() const = 0;
    // The text of entry `index`; empty when the index is out of range.
    virtual std::string Text(int index) const = 0;
    // The entry shown, or -1 when none is.
    virtual int CurrentIndex() const = 0;
    // Shows entry `index` (-1 for none). A change made here is the program's, never the user's:
    // it does not count as a choice of the user.
    virtual void SetCurrentIndex(int index) = 0;
    // Replaces every entry by `entries` (already in display order) and shows entry 0.
    virtual void SetEntries(const std::vector<std::string>& entries) = 0;
    // A locked row keeps its part through random creation.
    virtual bool IsLocked() const = 0;
};

// A PartList held in memory, for logic that runs without widgets.
class MemoryPartList : public PartList {
  public:
    int Count() const override { return static_cast<int>(entries.size()); }
    std::string Text(int index) const override {
        return index >= 0 && index < Count() ? entries[static_cast<std::size_t>(index)]
                                             : std::string();
    }
    int CurrentIndex() const override { return current; }
    void SetCurrentIndex(int index) override { current = index; }
    void SetEntries(const std::vector<std::string>& list) override {
        entries = list;
        current = entries.empty() ? -1 : 0;
    }
    bool IsLocked() const override { return locked; }

    std::vector<std::string> entries{kNoneEntry};
    int current = 0;
    bool locked = false;
};

}  // namespace bw
