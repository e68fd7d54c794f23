// Loaded with LD_PRELOAD into a program under test: operator new throws std::bad_alloc for every
// request of at least BW_THROWING_NEW_BYTES bytes, as if memory ran out right there. Shows how
// the program copes with an exception it did not expect.
#include <cstdlib>
#include <new>

namespace {

std::size_t Threshold() {
    static const std::size_t bytes = [] {
        const char* text = std::getenv("BW_THROWING_NEW_BYTES");
        return text ? std::size_t(std::strtoull(text, nullptr, 10)) : std::size_t(0);
    }();
    return bytes;
}

}  // namespace

void* operator new(std::size_t bytes) {
    if (Threshold() != 0 && bytes >= Threshold()) throw std::bad_alloc();
    if (void* p = std::malloc(bytes ? bytes : 1)) return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t bytes) { return operator new(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
