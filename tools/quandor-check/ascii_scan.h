// Word-at-a-time tests of text for the batch modes' hot paths: most fields
// of a batch are plain ASCII, and telling so eight bytes at a time spares
// the byte-wise UTF-8, control-character and CSV-quoting checks.
#ifndef QUANDOR_CHECK_ASCII_SCAN_H_
#define QUANDOR_CHECK_ASCII_SCAN_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quandor_check {
namespace ascii_scan {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

inline std::uint64_t Load(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// High bit set in every byte lane of word that is below n (n <= 128),
// exact when no lane has its high bit set.
inline std::uint64_t BytesBelow(std::uint64_t word, unsigned char n) {
  return (word - kOnes * n) & ~word & kHighBits;
}

// Nonzero when a byte of word equals c.
inline std::uint64_t HasByte(std::uint64_t word, char c) {
  const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
  return (x - kOnes) & ~x & kHighBits;
}

}  // namespace ascii_scan

// Position of the first of the given bytes in [from, n) of d, or n.
template <typename... Bytes>
inline std::size_t FindFirstOf(const char* d, std::size_t from, std::size_t n, Bytes... bytes) {
  using namespace ascii_scan;
  std::size_t i = from;
#if defined(__SSE2__)
  // Sixteen bytes at a time where the processor has the instructions for it.
  for (; i + 16 <= n; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i hits = (_mm_cmpeq_epi8(chunk, _mm_set1_epi8(bytes)) | ...);
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (mask != 0) return i + static_cast<std::size_t>(std::countr_zero(mask));
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    // The lowest flagged lane of HasByte is always a true match.
    for (; i + 8 <= n; i += 8) {
      const std::uint64_t word = Load(d + i);
      const std::uint64_t found = (HasByte(word, bytes) | ...);
      if (found != 0) return i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
  }
  for (; i < n; ++i) {
    if (((d[i] == bytes) || ...)) return i;
  }
  return n;
}

// Whether every byte of text is ASCII (below 0x80).
inline bool IsAscii(std::string_view text) {
  using namespace ascii_scan;
  const char* p = text.data();
  const std::size_t n = text.size();
  if (n >= 8) {
    std::uint64_t high = 0;
    for (std::size_t i = 0; i + 8 < n; i += 8) high |= Load(p + i);
    // The last eight bytes, overlapping the words before.
    return ((high | Load(p + n - 8)) & kHighBits) == 0;
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (static_cast<unsigned char>(p[i]) >= 0x80) return false;
  }
  return true;
}

// Whether text holds the byte c; for short texts, where a call to memchr
// costs more than the search.
inline bool HoldsByte(std::string_view text, char c) {
  using namespace ascii_scan;
  const char* p = text.data();
  const std::size_t n = text.size();
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8) {
      if (HasByte(Load(p + i), c) != 0) return true;
    }
    return HasByte(Load(p + n - 8), c) != 0;
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (p[i] == c) return true;
  }
  return false;
}

// Whether text is printable ASCII (0x20 to 0x7E) without a double quote or
// the delimiter: text that goes into a CSV record as it stands.
inline bool IsPlainCsvText(std::string_view text, char delimiter) {
  using namespace ascii_scan;
  const auto plain = [delimiter](std::uint64_t word) {
    return ((word & kHighBits) | BytesBelow(word, 0x20) | HasByte(word, 0x7F) | HasByte(word, '"') |
            HasByte(word, delimiter)) == 0;
  };
  const char* p = text.data();
  const std::size_t n = text.size();
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8) {
      if (!plain(Load(p + i))) return false;
    }
    // The last eight bytes, overlapping the words before.
    return plain(Load(p + n - 8));
  }
  for (std::size_t i = 0; i < n; ++i) {
    const auto byte = static_cast<unsigned char>(p[i]);
    if (byte < 0x20 || byte >= 0x7F || p[i] == '"' || p[i] == delimiter) return false;
  }
  return true;
}

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_ASCII_SCAN_H_
