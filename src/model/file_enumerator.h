// How core lists the files of a directory. The program and the command-line tool use the file
// system; tests may pass a fake.
#pragma once

#include <string>
#include <vector>

namespace bw {

class FileEnumerator {
  public:
    virtual ~FileEnumerator() = default;
    // The names (without directory) of the entries of `directory` whose name ends in
    // `extension`, compared without regard to letter case, in no particular order. Any kind of
    // entry counts, a subdirectory of such a name included. Empty when the directory does not
    // exist or cannot be read; an empty `directory` means the file system root.
    virtual std::vector<std::string> NamesWithExtension(const std::string& directory,
                                                        const std::string& extension) const = 0;
};

// Lists the real file system.
class DirectoryFileEnumerator : public FileEnumerator {
  public:
    std::vector<std::string> NamesWithExtension(const std::string& directory,
                                                const std::string& extension) const override;
};

}  // namespace bw
