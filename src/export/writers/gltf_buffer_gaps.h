// The glTF writer converts each mesh's joint indices in place, from floats to half as many
// bytes of integers, and leaves the other half of the old bytes uninitialised: bytes no buffer
// view covers, but bytes of the file. Zeroing them keeps a rigged file free of stray memory and
// the same bytes every time it is written.
#pragma once

#include <string>

namespace bw {

// Zeroes the bytes of the binary buffer of a .glb file that no buffer view covers. False, with
// `reason` set and `glb` unchanged, when the bytes are not a glb file with a JSON chunk and a
// binary chunk, or its JSON cannot be read.
bool ClearGlbBufferGaps(std::string& glb, std::string* reason);

// The same for a .gltf file's JSON and its first buffer, a file of its own.
bool ClearGltfBufferGaps(const std::string& json, std::string& buffer, std::string* reason);

}  // namespace bw
