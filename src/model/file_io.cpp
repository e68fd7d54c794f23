#include "model/file_io.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace bw {
namespace {

void SetReason(std::string* reason, std::string text) {
    if (reason) *reason = std::move(text);
}

std::string ErrnoText() { return std::strerror(errno); }

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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
    // Opened without blocking, so a named pipe or device given as a path is refused rather
    // than waited on.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetReason(reason, "cannot open: " + ErrnoText());
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(fdopen(fd, "rb"));
    if (!file) {
        close(fd);
        SetReason(reason, "cannot open: " + ErrnoText());
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        SetReason(reason, "not a regular file");
        return false;
    }
    try {
        ReserveForLargeArray(bytes, static_cast<std::size_t>(info.st_size));
        bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        SetReason(reason, "file too large to hold in memory");
        return false;
    } catch (const std::length_error&) {
        SetReason(reason, "file too large to hold in memory");
        return false;
    }
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (got != bytes.size() || std::ferror(file.get())) {
        SetReason(reason, "read error");
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
    std::string temporary = path + ".tmp-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        SetReason(reason, "cannot create a temporary file beside " + path + ": " + ErrnoText());
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    const char* data = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (ok && fsync(fd) != 0) ok = false;
    if (close(fd) != 0) ok = false;
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        SetReason(reason, "cannot write " + path + ": " + ErrnoText());
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace bw
