#include "bankdir/case_fold.h"

namespace quandor::bankdir {
namespace {

// Second byte of a two-byte UTF-8 sequence, lower-cased. Only sequences whose
// upper- and lower-case forms have the same length are folded.
unsigned char FoldSecondByte(unsigned char lead, unsigned char second) {
  if (lead == 0xC3) {
    // U+00C0..U+00DE (but U+00D7, the multiplication sign) -> U+00E0..U+00FE
    if (second >= 0x80 && second <= 0x9E && second != 0x97) return second + 0x20;
  } else if (lead == 0xC5) {
    // Œ U+0152, Š U+0160: the lower case follows the upper case.
    if (second == 0x92 || second == 0xA0) return second + 1;
    // Ž U+017D -> ž U+017E
    if (second == 0xBD) return 0xBE;
  }
  return second;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto c = static_cast<unsigned char>(folded[i]);
    if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c + ('a' - 'A'));
    } else if ((c == 0xC3 || c == 0xC5) && i + 1 < folded.size()) {
      const auto second = static_cast<unsigned char>(folded[i + 1]);
      if (c == 0xC5 && second == 0xB8) {  // Ÿ U+0178 -> ÿ U+00FF
        folded[i] = static_cast<char>(0xC3);
        folded[i + 1] = static_cast<char>(0xBF);
      } else {
        folded[i + 1] = static_cast<char>(FoldSecondByte(c, second));
      }
      ++i;
    }
  }
  return folded;
}

bool Contains(std::string_view text, std::string_view part) {
  return !text.empty() && text.find(part) != std::string_view::npos;
}

}  // namespace quandor::bankdir
