// Whole-file reading and atomic whole-file writing.
//
// Paths are byte strings in any encoding; a path holding a zero byte names no file (the system
// would cut it there) and is refused by every function here.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
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

// Reads the whole file at `path`. False, with `reason` set, when it cannot be opened or read or
// is no regular file (a named pipe or a device is refused without waiting on it).
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string* reason);

// Judges the first bytes of a file (`head`, at most the size asked for) knowing the size of the
// whole file in bytes. False, with `reason` set, refuses the file.
using FileHeadCheck = std::function<bool(std::span<const std::uint8_t> head, std::uint64_t fileSize,
                                         std::string* reason)>;

// As ReadWholeFile, but reads only the first `headSize` bytes (all of a shorter file) before
// `acceptHead` sees them; the rest is read, and memory for it taken, only once it accepts. A
// file it refuses costs `headSize` bytes of reading however large it is.
bool ReadWholeFileAfterHeadCheck(const std::string& path, std::size_t headSize,
                                 const FileHeadCheck& acceptHead, std::vector<std::uint8_t>& bytes,
                                 std::string* reason);

// One file of a save: where it goes and what it holds (the bytes must outlive the call).
struct FileContents {
    std::string path;
    std::string_view bytes;
};

// Replaces the file at `path` by `bytes` as a plain save would, but atomically: the bytes go to
// a temporary file in the target's folder, are flushed and renamed over the target, so a
// failed save leaves the previous file as it was. In detail:
// - a symbolic link is followed: the file it points to is replaced, the link stays;
// - a target that exists must be a regular file that the user may write (a named pipe, a
//   device, a folder or a read-only file is refused); the replacement keeps its permission bits
//   and, where the process may set them, its owner and group;
// - a new file gets the permissions a plain save gives (0666 less the umask);
// - the temporary name is never longer than the target's name where that name is at the file
//   system's limit;
// - a failed write, one beyond the file-size limit (EFBIG) included, removes the temporary file.
// False, with `reason` set, on failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* reason);

// Several files as one save: each is checked and written to its temporary file as above, and
// only when every one of them is written are they renamed over their targets in order. A
// failure up to that point changes none of the targets.
bool WriteFilesAtomically(std::span<const FileContents> files, std::string* reason);

}  // namespace bw
