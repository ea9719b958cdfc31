#include "digit_list.h"

#include <algorithm>
#include <stdexcept>

namespace quandor {

void PadArrayLeft(DigitList& list, int fill, int16_t upper_bound) {
  if (upper_bound < 0) return;
  const auto wanted = static_cast<std::size_t>(upper_bound) + 1;
  if (wanted > DigitList::kCapacity || !list.complete()) {
    throw std::length_error("digit list too long to pad");
  }
  if (list.size_ >= wanted) return;
  const std::size_t shift = wanted - list.size_;
  // Element by element rather than a block move: the values were stored one
  // by one just before, and a wide load of them would wait for those stores.
  for (std::size_t i = list.size_; i-- > 0;) list.values_[i + shift] = list.values_[i];
  for (std::size_t i = 0; i < shift; ++i) list.values_[i] = static_cast<int16_t>(fill);
  list.size_ = wanted;
}

std::string_view JoinArray(const DigitList& list, DigitText& buffer) {
  if (!list.complete()) throw std::length_error("digit list too long to join");
  // Built in a buffer of its own: stores into a string's characters may
  // alias the list, which would then be read again after every digit.
  const std::size_t size = list.size();
  for (std::size_t i = 0; i < size; ++i) buffer[i] = static_cast<char>('0' + list[i]);
  return std::string_view(buffer.data(), size);
}

std::string JoinArray(const DigitList& list) {
  DigitText buffer;
  return std::string(JoinArray(list, buffer));
}

std::string DigitsOnly(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (IsDigit(c)) digits += c;
  }
  return digits;
}

}  // namespace quandor
