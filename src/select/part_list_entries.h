// The entries a body part's list shows: " (none) " first, then the object files of the body
// part's directory in sorted order, or "No Files" when it holds none.
#pragma once

#include <string>
#include <vector>

#include "model/body_part_catalogue.h"

namespace bw {

class FileEnumerator;

// Names sorted as the lists show them: without regard to letter case, ties broken byte by byte
// so the order is total and stable.
void SortEntryNames(std::vector<std::string>& names);

// The list entries of body part `id` below `objectDirectory` (the body part's directory is
// found without regard to letter case). Every directory entry named "*.bwo" (extension in any
// case) is listed by its name with extension, a subdirectory of such a name included.
std::vector<std::string> PartListEntries(const std::string& objectDirectory, BodyPartId id,
                                         const FileEnumerator& files);

}  // namespace bw
