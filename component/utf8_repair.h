// Making texts valid UTF-8 before they leave the library through interfaces
// that promise UTF-8: a host such as Python's decoder refuses a whole text for
// one bad byte, and the C interface echoes whatever bytes a caller passed in.
#ifndef QUANDOR_UTF8_REPAIR_H_
#define QUANDOR_UTF8_REPAIR_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quandor {

// The bytes that stand for an ill-formed sequence: U+REPLACEMENT CHARACTER.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The first sequence of text: a well-formed UTF-8 character, or the maximal
// ill-formed part that one replacement character stands for (the Unicode
// standard's "maximal subpart", so that "\xE2\x82" before "A" is one
// replacement and "\xFF\xFE" is two). Overlong forms, surrogates and values
// above U+10FFFF are ill-formed.
struct Utf8Sequence {
  std::size_t length;  // at least 1 for a non-empty text
  bool well_formed;
};
Utf8Sequence FirstUtf8Sequence(std::string_view text);

// text with every ill-formed sequence replaced by U+FFFD; valid UTF-8 comes
// back unchanged.
std::string RepairUtf8(std::string_view text);

}  // namespace quandor

#endif  // QUANDOR_UTF8_REPAIR_H_
