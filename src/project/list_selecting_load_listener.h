// A project load that shows each record's file in the Select Parts lists: clearing sets every
// list to entry 0, and each record selects its file's entry, all without loading anything
// through the lists (the load adds the parts itself). What the user is asked and shown about
// translated names is left to the derived class.
//
// The PartSelection is not owned and must outlive the listener.
#pragma once

#include <string>
#include <vector>

#include "project/project_loader.h"
#include "select/part_list.h"
#include "select/part_selection.h"

namespace bw {

// The first entry of `list` equal to `text` without regard to ASCII letter case; -1 when none
// is.
int FindEntryIgnoringCase(const PartList& list, const std::string& text);

class ListSelectingLoadListener : public ProjectLoadListener {
  public:
    explicit ListSelectingLoadListener(PartSelection& selection) : selection_(selection) {}

    TranslationAnswer AskTranslation(const std::string&, const std::string&,
                                     const TranslationAnswer& start) override {
        return start;
    }
    void ShowTranslationList(const std::vector<std::string>&,
                             const std::vector<std::string>&) override {}
    void ClearSelection(BodyPartId bodyPart) override;
    // Selects the entry equal to `fileName`; leaves the list without a selection when none is.
    void SelectFile(BodyPartId bodyPart, const std::string& fileName) override;

  private:
    PartSelection& selection_;
};

}  // namespace bw
