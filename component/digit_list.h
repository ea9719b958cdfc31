// Digit lists: the decimal digits of an input text as numbers, index 0 the
// leftmost. The input checks fill them and the lookup joins them into a key.
#ifndef QUANDOR_DIGIT_LIST_H_
#define QUANDOR_DIGIT_LIST_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quandor {

// A digit list held in place, so that checking an input never touches the
// heap. An empty list stands for "no list at all". It keeps the values of its
// first kCapacity digits; beyond that, appending only counts, because a list
// that long is rejected for its length anyway and its values are never read.
class DigitList {
 public:
  static constexpr std::size_t kCapacity = 24;

  bool empty() const { return size_ == 0; }
  // Number of digits appended, kept ones or not.
  std::size_t size() const { return size_; }
  // Value at index i; i must be below size() and kCapacity.
  int operator[](std::size_t i) const { return values_[i]; }
  // Whether every digit's value is held.
  bool complete() const { return size_ <= kCapacity; }

  void clear() { size_ = 0; }

 private:
  friend void AppendToArray(DigitList& list, int value);
  friend void PadArrayLeft(DigitList& list, int fill, int16_t upper_bound);

  // Not a character type: stores to it cannot alias size_, which then stays in a register.
  std::array<int16_t, kCapacity> values_{};
  std::size_t size_ = 0;
};

// Appends value (0 to 9) as the new last element.
inline void AppendToArray(DigitList& list, int value) {
  if (list.size_ < DigitList::kCapacity) list.values_[list.size_] = static_cast<int16_t>(value);
  ++list.size_;
}

// Widens the list to the indices 0..upper_bound, moving its elements to the
// end and filling the front with fill; a list that long already stays as it
// is. Throws std::length_error when upper_bound does not fit the list.
void PadArrayLeft(DigitList& list, int fill, int16_t upper_bound);

// The digits as one decimal text, no separator; "" for an empty list. Short
// lists (a bank code) fit the string's in-place buffer. Throws
// std::length_error for a list whose values are not all held.
std::string JoinArray(const DigitList& list);

// The characters of text that are digits ("0" to "9"), in their order.
std::string DigitsOnly(std::string_view text);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace quandor

#endif  // QUANDOR_DIGIT_LIST_H_
