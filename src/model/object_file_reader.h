// Reading object files (layout in object_file_format.h) into a PartObject.
//
// Safe for untrusted input: every length, count and index is checked before use, and a
// malformed file is refused with a reason (a short English sentence without the path). The
// reading itself is PartObject::LoadObjectFile and PartObject::LoadObjectImage; this header
// holds what they share with callers that read files on their own.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bw {

// The bytes that decide whether a file can be an object file at all: the head of the header
// chunk (tag and length) and its 16 bytes of counts.
inline constexpr std::size_t kObjectFileHeadSize = 24;

// Checks the start of an object file of `fileSize` bytes: `head` holds its first bytes (up to
// kObjectFileHeadSize; fewer only when the file is that short). False, with `reason` set, when
// no object file starts like that: a first chunk other than the header, a header shorter than
// 16 bytes or running past the end of the file, or a surface count no polygon could address.
bool CheckObjectFileHead(std::span<const std::uint8_t> head, std::uint64_t fileSize,
                         std::string* reason);

// Reads the object file at `path` into `image`, checking its head before the rest is read, so
// a file that is no object file costs a few bytes of reading whatever its size. False, with
// `reason` set, when the file cannot be read or its head is refused.
bool ReadObjectFileImage(const std::string& path, std::vector<std::uint8_t>& image,
                         std::string* reason);

}  // namespace bw
