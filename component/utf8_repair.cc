#include "utf8_repair.h"

namespace quandor {

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
