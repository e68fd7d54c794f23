// Whole-file reading and atomic whole-file writing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Asks the kernel to back [data, data + bytes) with large pages where it can. A freshly
// allocated array is first written right after it is allocated, so every 4 KiB page costs a
// page fault; for the arrays of a million-point mesh those faults outweigh the copying.
// Small ranges are left alone.
void AdviseLargePages(void* data, std::size_t bytes);

// Empties `array` and reserves room for `count` elements, advised as above.
template <class T>
void ReserveForLargeArray(std::vector<T>& array, std::size_t count) {
    array.clear();
    array.reserve(count);
    AdviseLargePages(array.data(), count * sizeof(T));
}

// Reads the whole file at `path`. False, with `reason` set, when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string* reason);

// Writes `bytes` to a temporary file beside `path`, flushes it and renames it over `path`, so
// a failed write leaves any previous file untouched. False, with `reason` set, on failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* reason);

}  // namespace bw
