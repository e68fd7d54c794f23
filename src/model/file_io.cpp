#include "model/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <random>
#include <stdexcept>
#include <utility>

namespace bw {
namespace {

constexpr const char* kZeroBytePath = "the path holds a zero byte";
// Links followed before a save gives up, as the system does when it opens a path.
constexpr int kMaxLinkHops = 40;
// ".tmp-" and six random characters after the target's name.
constexpr std::size_t kTemporarySuffixLength = 11;

void SetReason(std::string* reason, std::string text) {
    if (reason) *reason = std::move(text);
}

std::string ErrnoText() { return std::strerror(errno); }

bool HoldsZeroByte(std::string_view path) { return path.find('\0') != std::string_view::npos; }

// A file descriptor closed when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~FileDescriptor() { Reset(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release() { return std::exchange(fd_, -1); }
    void Reset(int fd = -1) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    }

  private:
    int fd_;
};

// Reads exactly `size` bytes from the file's current offset.
bool ReadFully(int fd, std::uint8_t* data, std::size_t size, std::string* reason) {
    while (size > 0) {
        const ssize_t got = read(fd, data, size);
        if (got < 0) {
            if (errno == EINTR) continue;
            SetReason(reason, "read error: " + ErrnoText());
            return false;
        }
        if (got == 0) {
            SetReason(reason, "read error: the file ended before its size");
            return false;
        }
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool WriteFully(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Holds the file-size-limit signal back while a file is written: beyond the limit write() then
// fails with EFBIG, and the save can clean up, instead of the signal ending the process. A
// signal raised meanwhile is taken off the pending set before the old mask comes back.
class FileSizeSignalHold {
  public:
    FileSizeSignalHold() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &signal_, &saved_);
        wasPending_ = IsPending();
    }
    ~FileSizeSignalHold() {
        if (!wasPending_ && IsPending()) {
            const timespec noWait{};
            sigtimedwait(&signal_, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    }
    FileSizeSignalHold(const FileSizeSignalHold&) = delete;
    FileSizeSignalHold& operator=(const FileSizeSignalHold&) = delete;

  private:
    static bool IsPending() {
        sigset_t pending;
        sigemptyset(&pending);
        return sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
    }

    sigset_t signal_;
    sigset_t saved_;
    bool wasPending_ = false;
};

// The folder part of `path` ("." for a bare name, "/" for a name in the root).
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save of `path` replaces: `path` itself, or the end of its chain of symbolic
// links (relative link texts are relative to the link's folder). The result may not exist.
bool FollowLinks(const std::string& path, std::string& target, std::string* reason) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        if (hops == kMaxLinkHops) {
            SetReason(reason, "cannot write " + path + ": " + std::strerror(ELOOP));
            return false;
        }
        std::string text(std::size_t(std::max<off_t>(info.st_size, 0)) + 1, '\0');
        for (;;) {
            const ssize_t length = readlink(target.c_str(), text.data(), text.size());
            if (length < 0) {
                SetReason(reason, "cannot follow the link " + target + ": " + ErrnoText());
                return false;
            }
            if (std::size_t(length) < text.size()) {
                text.resize(std::size_t(length));
                break;
            }
            text.resize(text.size() * 2);  // the link changed, or reports no size
        }
        target = !text.empty() && text.front() == '/' ? text : FolderOf(target) + "/" + text;
    }
}

std::string RandomCharacters(std::size_t count) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::minstd_rand generator(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string text(count, 'x');
    for (char& c : text) c = kAlphabet[pick(generator)];
    return text;
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// A file of a save, written to its temporary file and not yet renamed over its target.
class PreparedFile {
  public:
    PreparedFile() = default;
    PreparedFile(PreparedFile&&) = default;
    PreparedFile& operator=(PreparedFile&&) = default;
    ~PreparedFile() { Discard(); }

    // Checks the target and writes `bytes` to a temporary file beside it.
    bool Prepare(const std::string& path, std::string_view bytes, std::string* reason);
    // Renames the temporary file over the target.
    bool Commit(std::string* reason);
    // Removes the temporary file, if any.
    void Discard();

  private:
    bool CreateTemporary(std::string* reason);

    std::string path_;  // as the caller gave it, for messages
    FileDescriptor folder_;
    std::string name_;       // the target's name in folder_
    std::string temporary_;  // the temporary file's name in folder_, empty when there is none
};

bool PreparedFile::Prepare(const std::string& path, std::string_view bytes, std::string* reason) {
    path_ = path;
    if (HoldsZeroByte(path)) {
        SetReason(reason, std::string("cannot write: ") + kZeroBytePath);
        return false;
    }
    std::string target;
    if (!FollowLinks(path, target, reason)) return false;
    name_ = NameOf(target);
    if (name_.empty() || name_ == "." || name_ == "..") {
        SetReason(reason, "cannot write " + path + ": it names no file");
        return false;
    }
#if defined(O_PATH)
    constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
    constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
    folder_.Reset(open(FolderOf(target).c_str(), kFolderFlags));
    if (!folder_.Valid()) {
        SetReason(reason, "cannot write " + path + ": " + ErrnoText());
        return false;
    }

    struct stat existing {};
    bool exists = fstatat(folder_.Get(), name_.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) {
        SetReason(reason, "cannot write " + path + ": " + ErrnoText());
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        SetReason(reason, "cannot write " + path + ": it exists and is not a regular file");
        return false;
    }
    // A plain save opens the file for writing; what it may not open is not replaced either.
    if (exists && faccessat(folder_.Get(), name_.c_str(), W_OK, AT_EACCESS) != 0) {
        SetReason(reason, "cannot write " + path + ": " + ErrnoText());
        return false;
    }

    if (!CreateTemporary(reason)) return false;
    FileDescriptor file(openat(folder_.Get(), temporary_.c_str(), O_WRONLY | O_CLOEXEC));
    bool ok = file.Valid();
    if (ok) {
        FileSizeSignalHold hold;
        ok = WriteFully(file.Get(), bytes);
    }
    if (ok && exists) {
        // Owner and group first: changing them clears set-user-ID bits that fchmod restores.
        if (fchown(file.Get(), existing.st_uid, existing.st_gid) != 0)
            (void)!fchown(file.Get(), uid_t(-1), existing.st_gid);
        ok = fchmod(file.Get(), existing.st_mode & 07777) == 0;
    } else if (ok) {
        ok = fchmod(file.Get(), 0666 & ~CurrentUmask()) == 0;
    }
    if (ok) ok = fsync(file.Get()) == 0;
    if (ok) ok = close(file.Release()) == 0;
    if (!ok) {
        SetReason(reason, "cannot write " + path + ": " + ErrnoText());
        Discard();
        return false;
    }
    return true;
}

bool PreparedFile::CreateTemporary(std::string* reason) {
    // Where the target's name is as long as the file system allows, the suffix replaces the
    // end of the name instead of lengthening it.
    const long limit = fpathconf(folder_.Get(), _PC_NAME_MAX);
    const std::size_t maxName = limit > 0 ? std::size_t(limit) : 255;
    std::string stem = name_;
    if (stem.size() + kTemporarySuffixLength > maxName)
        stem.resize(maxName > kTemporarySuffixLength ? maxName - kTemporarySuffixLength : 0);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = stem + ".tmp-" + RandomCharacters(6);
        const int fd =
            openat(folder_.Get(), candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            temporary_ = candidate;
            return true;
        }
        if (errno != EEXIST) break;
    }
    SetReason(reason, "cannot create a temporary file beside " + path_ + ": " + ErrnoText());
    return false;
}

bool PreparedFile::Commit(std::string* reason) {
    if (renameat(folder_.Get(), temporary_.c_str(), folder_.Get(), name_.c_str()) != 0) {
        SetReason(reason, "cannot write " + path_ + ": " + ErrnoText());
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void PreparedFile::Discard() {
    if (temporary_.empty() || !folder_.Valid()) return;
    unlinkat(folder_.Get(), temporary_.c_str(), 0);
    temporary_.clear();
}

}  // namespace

void AdviseLargePages(void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kAdviceThreshold = std::size_t(4) << 20;
    if (bytes < kAdviceThreshold || data == nullptr) return;
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes) / page * page;
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string* reason) {
    return ReadWholeFileAfterHeadCheck(path, 0, nullptr, bytes, reason);
}

bool ReadWholeFileAfterHeadCheck(const std::string& path, std::size_t headSize,
                                 const FileHeadCheck& acceptHead, std::vector<std::uint8_t>& bytes,
                                 std::string* reason) {
    if (HoldsZeroByte(path)) {
        SetReason(reason, kZeroBytePath);
        return false;
    }
    // Opened without blocking, so a named pipe or device given as a path is refused rather
    // than waited on.
    const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        SetReason(reason, "cannot open: " + ErrnoText());
        return false;
    }
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        SetReason(reason, "not a regular file");
        return false;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
    std::vector<std::uint8_t> head;
    if (acceptHead) {
        head.resize(std::size_t(std::min<std::uint64_t>(headSize, size)));
        if (!ReadFully(fd.Get(), head.data(), head.size(), reason)) return false;
        if (!acceptHead(head, size, reason)) return false;
    }
    try {
        if (size > std::uint64_t(SIZE_MAX)) throw std::length_error("file size");
        ReserveForLargeArray(bytes, static_cast<std::size_t>(size));
        bytes.assign(head.begin(), head.end());
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        SetReason(reason, "file too large to hold in memory");
        return false;
    } catch (const std::length_error&) {
        SetReason(reason, "file too large to hold in memory");
        return false;
    }
    return ReadFully(fd.Get(), bytes.data() + head.size(), bytes.size() - head.size(), reason);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
    const FileContents file{path, bytes};
    return WriteFilesAtomically({&file, 1}, reason);
}

bool WriteFilesAtomically(std::span<const FileContents> files, std::string* reason) {
    std::vector<PreparedFile> prepared(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!prepared[i].Prepare(files[i].path, files[i].bytes, reason)) return false;
    }
    for (PreparedFile& file : prepared) {
        if (!file.Commit(reason)) return false;
    }
    return true;
}

}  // namespace bw
