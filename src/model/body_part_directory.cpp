#include "model/body_part_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <map>
#include <optional>
#include <utility>

namespace bw {
namespace {

char LowerByte(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string Lowered(std::string text) {
    for (char& c : text) c = LowerByte(c);
    return text;
}

#if defined(O_PATH)
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// A folder's entries by their lowered names, each lowered name with its first entry in byte
// order (so the choice among "LEFT HAND" and "Left Hand" is stable).
using FolderIndex = std::map<std::string, std::string>;

// The folders listed while one path is resolved, by device and inode: a path that comes back
// to a folder ("a/../A/../a...") lists it once, so the listing work is bounded by the folders
// the path visits, not by its length times their size.
using FolderIndexCache = std::map<std::pair<dev_t, ino_t>, FolderIndex>;

// A folder held open while a path is resolved below it, so each step looks up one name in it
// instead of walking the whole path again: resolving is linear in the path's length.
class OpenFolder {
  public:
    // The folder `path` names ("" is the file system root); none when it cannot be opened.
    explicit OpenFolder(const std::string& path) {
        if (path.find('\0') == std::string::npos)
            fd_ = open(path.empty() ? "/" : path.c_str(), kFolderFlags);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    ~OpenFolder() { Close(); }

    // The entry named `name`: the exact name if it exists, else the first entry (in byte order)
    // equal to it without regard to case; nullopt when there is none or the folder is not
    // open. `cache`, when given, keeps the listings of folders already looked through.
    std::optional<std::string> MatchEntry(const std::string& name,
                                          FolderIndexCache* cache = nullptr) const {
        if (fd_ < 0 || name.find('\0') != std::string::npos) return std::nullopt;
        struct stat info {};
        if (fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) return name;
        return MatchIgnoringCase(name, cache);
    }

    // One step of a path: the entry `name` matches, as MatchEntry finds it, and the folder
    // moves into it; when it is no folder, or nothing matches, the folder is closed.
    std::optional<std::string> Enter(const std::string& name, FolderIndexCache& cache) {
        if (fd_ < 0 || name.find('\0') != std::string::npos) {
            Close();
            return std::nullopt;
        }
        // Most steps name an existing folder exactly: one call finds and opens it.
        const int exact = openat(fd_, name.c_str(), kFolderFlags);
        if (exact >= 0) {
            Replace(exact);
            return name;
        }
        std::optional<std::string> match =
            errno == ENOTDIR ? std::optional<std::string>(name) : MatchEntry(name, &cache);
        Replace(match && *match != name ? openat(fd_, match->c_str(), kFolderFlags) : -1);
        return match;
    }

  private:
    std::optional<std::string> MatchIgnoringCase(const std::string& name,
                                                 FolderIndexCache* cache) const {
        FolderIndex listed;
        const FolderIndex* index = &listed;
        struct stat folder {};
        if (cache && fstat(fd_, &folder) == 0) {
            const auto key = std::make_pair(folder.st_dev, folder.st_ino);
            auto found = cache->find(key);
            if (found == cache->end()) found = cache->emplace(key, List()).first;
            index = &found->second;
        } else {
            listed = List();
        }
        const auto entry = index->find(Lowered(name));
        if (entry == index->end()) return std::nullopt;
        return entry->second;
    }

    FolderIndex List() const {
        FolderIndex index;
        const int listing = openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (listing < 0) return index;
        DIR* entries = fdopendir(listing);
        if (!entries) {
            close(listing);
            return index;
        }
        while (const dirent* entry = readdir(entries)) {
            const std::string candidate = entry->d_name;
            auto [at, added] = index.try_emplace(Lowered(candidate), candidate);
            if (!added && candidate < at->second) at->second = candidate;
        }
        closedir(entries);
        return index;
    }

    void Replace(int fd) {
        Close();
        fd_ = fd;
    }

    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

    int fd_ = -1;
};

}  // namespace

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerByte(a[i]) != LowerByte(b[i])) return false;
    }
    return true;
}

std::string BodyPartDirectory(const std::string& objectDirectory, BodyPartId id) {
    const std::string name(BodyPartName(id));
    return objectDirectory + kPathSeparator +
           OpenFolder(objectDirectory).MatchEntry(name).value_or(name);
}

std::string ResolvePathIgnoringCase(const std::string& base, const std::string& relative) {
    std::string result = base;
    result.reserve(base.size() + 1 + relative.size());
    OpenFolder folder(base);
    FolderIndexCache listings;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find(kPathSeparator, start);
        if (end == std::string::npos) end = relative.size();
        const std::string component = relative.substr(start, end - start);
        if (!component.empty()) {
            // Below a component that matched nothing, or a file, nothing can match: the rest is
            // kept as written without looking.
            result += kPathSeparator;
            result += folder.Enter(component, listings).value_or(component);
        }
        start = end + 1;
    }
    return result;
}

}  // namespace bw
