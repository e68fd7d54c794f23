#include "app/keyword_hash.h"

namespace bw {

std::uint32_t KeywordHash(std::string_view word) {
    std::uint32_t hash = 0;
    std::uint32_t i = 0;  // wraps with the hash, so i^3 stays exact modulo 2^32
    for (const char byte : word) {
        ++i;
        // Bytes count as signed, as the stored keyword hashes were made.
        const std::int32_t b =
            static_cast<std::int8_t>(byte);  // NOLINT(bugprone-signed-char-misuse)
        const std::int32_t c = b > 96 ? b - 32 : b;
        hash += static_cast<std::uint32_t>(c - 33) * (i * i * i);
    }
    return hash;
}

}  // namespace bw
