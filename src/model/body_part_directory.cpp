#include "model/body_part_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <optional>
#include <utility>

namespace bw {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

namespace {

#if defined(O_PATH)
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

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

    // The entry named `name`: the exact name if it exists, else the first entry (in byte order,
    // so the choice is stable) equal to it without regard to case; nullopt when there is none
    // or the folder is not open.
    std::optional<std::string> MatchEntry(const std::string& name) const {
        if (fd_ < 0 || name.find('\0') != std::string::npos) return std::nullopt;
        struct stat info {};
        if (fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) return name;
        return MatchIgnoringCase(name);
    }

    // One step of a path: the entry `name` matches, as MatchEntry finds it, and the folder
    // moves into it; when it is no folder, or nothing matches, the folder is closed.
    std::optional<std::string> Enter(const std::string& name) {
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
            errno == ENOTDIR ? std::optional<std::string>(name) : MatchEntry(name);
        Replace(match && *match != name ? openat(fd_, match->c_str(), kFolderFlags) : -1);
        return match;
    }

  private:
    std::optional<std::string> MatchIgnoringCase(const std::string& name) const {
        const int listing = openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (listing < 0) return std::nullopt;
        DIR* entries = fdopendir(listing);
        if (!entries) {
            close(listing);
            return std::nullopt;
        }
        std::optional<std::string> best;
        while (const dirent* entry = readdir(entries)) {
            const std::string candidate = entry->d_name;
            if (EqualIgnoringCase(candidate, name) && (!best || candidate < *best))
                best = candidate;
        }
        closedir(entries);
        return best;
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

std::string BodyPartDirectory(const std::string& objectDirectory, BodyPartId id) {
    const std::string name(BodyPartName(id));
    return objectDirectory + kPathSeparator +
           OpenFolder(objectDirectory).MatchEntry(name).value_or(name);
}

std::string ResolvePathIgnoringCase(const std::string& base, const std::string& relative) {
    std::string result = base;
    result.reserve(base.size() + 1 + relative.size());
    OpenFolder folder(base);
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find(kPathSeparator, start);
        if (end == std::string::npos) end = relative.size();
        const std::string component = relative.substr(start, end - start);
        if (!component.empty()) {
            // Below a component that matched nothing, or a file, nothing can match: the rest is
            // kept as written without looking.
            result += kPathSeparator;
            result += folder.Enter(component).value_or(component);
        }
        start = end + 1;
    }
    return result;
}

}  // namespace bw
