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
  std::copy_backward(list.values_.begin(), list.values_.begin() + list.size_,
                     list.values_.begin() + wanted);
  std::fill_n(list.values_.begin(), shift, static_cast<int16_t>(fill));
  list.size_ = wanted;
}

std::string JoinArray(const DigitList& list) {
  if (!list.complete()) throw std::length_error("digit list too long to join");
  std::string text(list.size(), '0');
  for (std::size_t i = 0; i < list.size(); ++i) text[i] = static_cast<char>('0' + list[i]);
  return text;
}

std::string DigitsOnly(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (IsDigit(c)) digits += c;
  }
  return digits;
}

}  // namespace quandor
