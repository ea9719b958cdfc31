// Small routines on digits and rule texts shared by the generic check and the
// special methods.
#ifndef QUANDOR_METHODS_DIGITS_H_
#define QUANDOR_METHODS_DIGITS_H_

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quandor::methods {

// Weight of a pattern position that holds the check digit ("P") or is left out ("X").
inline constexpr int kCheckDigitWeight = -1;
inline constexpr int kLeftOutWeight = -2;

// The weights of a weight pattern, left to right: a digit is its value, "A"/"a"
// is 10, "P"/"p" kCheckDigitWeight, "X"/"x" kLeftOutWeight; other characters
// add nothing. An empty pattern gives an empty list.
std::vector<int> ParseDigits(std::string_view pattern);

// Sum of the decimal digits of |n|, one pass (18 -> 9, 99 -> 18).
int32_t CrossSum(int32_t n);

// CrossSum repeated while the value is above 9 (99 -> 9); values of 9 or less,
// negative ones included, are returned unchanged.
int32_t IteratedCrossSum(int32_t n);

// Digits from..to (inclusive) read as one decimal number, most significant
// first; to = -1 means the last digit. An empty list, or a range reaching
// outside the list, gives -1.
int64_t DigitsToNumber(std::span<const int> digits, int from = 0, int to = -1);

// Splits text at the first separator: returns the part before it and leaves
// the part after it in text. Without a separator returns all of text and
// leaves it empty.
std::string_view NextToken(std::string_view& text, char separator);

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_DIGITS_H_
