// Mends binary FBX as the export library of Debian 12 writes it. Its writer leaves out the
// null record that must end every list of nested nodes (and the list of top-level nodes): it
// writes the record as a string, and an array of zero bytes read as a string is empty. Every
// reader then loses its way in the file ("block offset is out of range"). This writes the
// records where they belong and moves every end offset accordingly; a file that has them is
// written back unchanged.
#pragma once

#include <string>

namespace bw {

// Rewrites `fbx` (a whole binary FBX file) with every null record in place, and the footer's
// alignment padding after the moved records. False, with `reason` set and `fbx` unchanged, when
// the bytes are no binary FBX whose node records lie within the file.
bool RestoreFbxNullRecords(std::string& fbx, std::string* reason);

}  // namespace bw
