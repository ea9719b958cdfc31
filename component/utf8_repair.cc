#include "utf8_repair.h"

#include <array>
#include <cstdint>

namespace quandor {
namespace {

// What a lead byte asks of the bytes after it: how many follow, and the range
// of the first of them, which is where overlong forms, surrogates and values
// above U+10FFFF are told apart (Unicode, table "Well-Formed UTF-8 Byte
// Sequences"). The later continuation bytes are always 80..BF.
struct LeadRule {
  uint8_t lead_low;
  uint8_t lead_high;
  uint8_t continuations;
  uint8_t second_low;
  uint8_t second_high;
};

constexpr std::array kLeadRules = std::to_array<LeadRule>({
    {0xC2, 0xDF, 1, 0x80, 0xBF},
    {0xE0, 0xE0, 2, 0xA0, 0xBF},
    {0xE1, 0xEC, 2, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x80, 0x9F},
    {0xEE, 0xEF, 2, 0x80, 0xBF},
    {0xF0, 0xF0, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x80, 0xBF},
    {0xF4, 0xF4, 3, 0x80, 0x8F},
});

}  // namespace

Utf8Sequence FirstUtf8Sequence(std::string_view text) {
  if (text.empty()) return {0, true};
  const auto lead = static_cast<uint8_t>(text[0]);
  if (lead < 0x80) return {1, true};
  for (const LeadRule& rule : kLeadRules) {
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

std::string RepairUtf8(std::string_view text) {
  std::string repaired;
  repaired.reserve(text.size());
  while (!text.empty()) {
    const Utf8Sequence sequence = FirstUtf8Sequence(text);
    if (sequence.well_formed) {
      repaired.append(text.substr(0, sequence.length));
    } else {
      repaired.append(kReplacementCharacter);
    }
    text.remove_prefix(sequence.length);
  }
  return repaired;
}

}  // namespace quandor
