// Making texts valid UTF-8 before they leave the library through interfaces
// that promise UTF-8: a host such as Python's decoder refuses a whole text for
// one bad byte, and the C interface echoes whatever bytes a caller passed in.
#ifndef QUANDOR_UTF8_REPAIR_H_
#define QUANDOR_UTF8_REPAIR_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quandor {

// The rules of well-formed UTF-8 live here, once: the bank code file's
// decoding, the command-line tool's output and the C interface all ask them.

// The bytes that stand for an ill-formed sequence: U+REPLACEMENT CHARACTER.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

struct Utf8Sequence {
  std::size_t length;  // at least 1 for a non-empty text
  bool well_formed;
};

// What a lead byte asks of the bytes after it: how many follow, and the range
// of the first of them, which is where overlong forms, surrogates and values
// above U+10FFFF are told apart (Unicode, table "Well-Formed UTF-8 Byte
// Sequences"). The later continuation bytes are always 80..BF.
namespace utf8_internal {

struct LeadRule {
  uint8_t lead_low;
  uint8_t lead_high;
  uint8_t continuations;
  uint8_t second_low;
  uint8_t second_high;
};

inline constexpr std::array kLeadRules = std::to_array<LeadRule>({
    {0xC2, 0xDF, 1, 0x80, 0xBF},
    {0xE0, 0xE0, 2, 0xA0, 0xBF},
    {0xE1, 0xEC, 2, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x80, 0x9F},
    {0xEE, 0xEF, 2, 0x80, 0xBF},
    {0xF0, 0xF0, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x80, 0xBF},
    {0xF4, 0xF4, 3, 0x80, 0x8F},
});

}  // namespace utf8_internal

// The first sequence of text: a well-formed UTF-8 character, or the maximal
// ill-formed part that one replacement character stands for (the Unicode
// standard's "maximal subpart", so that "\xE2\x82" before "A" is one
// replacement and "\xFF\xFE" is two). Overlong forms, surrogates and values
// above U+10FFFF are ill-formed.
constexpr Utf8Sequence FirstUtf8Sequence(std::string_view text) {
  if (text.empty()) return {0, true};
  const auto lead = static_cast<uint8_t>(text[0]);
  if (lead < 0x80) return {1, true};
  for (const utf8_internal::LeadRule& rule : utf8_internal::kLeadRules) {
    if (lead < rule.lead_low || lead > rule.lead_high) continue;
    std::size_t length = 1;
    for (uint8_t n = 0; n < rule.continuations; ++n, ++length) {
      if (length >= text.size()) return {length, false};
      const auto byte = static_cast<uint8_t>(text[length]);
      const uint8_t low = n == 0 ? rule.second_low : 0x80;
      const uint8_t high = n == 0 ? rule.second_high : 0xBF;
      if (byte < low || byte > high) return {length, false};
    }
    return {length, true};
  }
  return {1, false};  // a continuation byte, C0, C1 or F5..FF
}

// text with every ill-formed sequence replaced by U+FFFD; valid UTF-8 comes
// back unchanged.
std::string RepairUtf8(std::string_view text);

}  // namespace quandor

#endif  // QUANDOR_UTF8_REPAIR_H_
