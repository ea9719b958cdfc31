// Digit lists: the decimal digits of an input text as numbers, index 0 the
// leftmost. The input checks fill them and the lookup joins them into a key.
#ifndef QUANDOR_DIGIT_LIST_H_
#define QUANDOR_DIGIT_LIST_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
  friend class DigitAppender;
  friend void PadArrayLeft(DigitList& list, int fill, int16_t upper_bound);
  template <std::size_t kWidth>
  friend void AssignDigits(DigitList& list, std::string_view digits);

  // Not a character type: stores to it cannot alias size_, which then stays in a register.
  std::array<int16_t, kCapacity> values_{};
  std::size_t size_ = 0;
};

// Appends to a list through a count of its own, which the list receives
// when the appender goes out of scope. A loop that also stores characters
// (which may alias anything) keeps this count in a register, where the list's
// own count would be stored and loaded again after every character.
class DigitAppender {
 public:
  explicit DigitAppender(DigitList& list) : list_(list), size_(list.size_) {}
  ~DigitAppender() { list_.size_ = size_; }
  DigitAppender(const DigitAppender&) = delete;
  DigitAppender& operator=(const DigitAppender&) = delete;

  // Appends value (0 to 9) as the new last element.
  void Append(int value) {
    if (size_ < DigitList::kCapacity) list_.values_[size_] = static_cast<int16_t>(value);
    ++size_;
  }

 private:
  DigitList& list_;
  std::size_t size_;
};

// Appends value (0 to 9) as the new last element.
inline void AppendToArray(DigitList& list, int value) { DigitAppender(list).Append(value); }

// Makes the list the values of digits, a text of nothing but "0" to "9",
// right-aligned in kWidth values with leading zeros: what appending each
// digit and padding to kWidth gives, without a test per digit. Requires
// digits.size() <= kWidth.
template <std::size_t kWidth>
void AssignDigits(DigitList& list, std::string_view digits) {
  static_assert(kWidth <= DigitList::kCapacity);
  // Stored straight into the list: a copy from a buffer of its own would read
  // the values back wider than they were written, and wait for the stores.
  int16_t* values = list.values_.data();
  for (std::size_t i = 0; i < kWidth; ++i) values[i] = 0;
  const std::size_t fill = kWidth - digits.size();
  const char* text = digits.data();
  for (std::size_t i = 0; i < digits.size(); ++i) {
    values[fill + i] = static_cast<int16_t>(text[i] - '0');
  }
  list.size_ = kWidth;
}

// Widens the list to the indices 0..upper_bound, moving its elements to the
// end and filling the front with fill; a list that long already stays as it
// is. Throws std::length_error when upper_bound does not fit the list.
void PadArrayLeft(DigitList& list, int fill, int16_t upper_bound);

// The digits as one decimal text, no separator; "" for an empty list. Short
// lists (a bank code) fit the string's in-place buffer. Throws
// std::length_error for a list whose values are not all held.
std::string JoinArray(const DigitList& list);

// Room for the text of any list whose values are all held.
using DigitText = std::array<char, DigitList::kCapacity>;

// The same into the caller's buffer, for a text that lives no longer than it:
// no string to build.
std::string_view JoinArray(const DigitList& list, DigitText& buffer);

// The characters of text that are digits ("0" to "9"), in their order.
std::string DigitsOnly(std::string_view text);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the eight characters from text on are all digits, tested at once:
// a byte below '0' borrows into its top bit when '0' is taken away, one above
// '9' carries into it when 0x46 is added.
inline bool EightDigits(const char* text) {
  constexpr uint64_t kZeros = 0x3030303030303030u;
  constexpr uint64_t kPastNine = 0x4646464646464646u;
  constexpr uint64_t kTopBits = 0x8080808080808080u;
  uint64_t word;
  std::memcpy(&word, text, sizeof word);
  return (((word - kZeros) | (word + kPastNine)) & kTopBits) == 0;
}

}  // namespace quandor

#endif  // QUANDOR_DIGIT_LIST_H_
