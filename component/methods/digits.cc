#include "methods/digits.h"

#include <cstdlib>

#include "methods/row_notation.h"

namespace quandor::methods {

std::vector<int> ParseDigits(std::string_view pattern) {
  std::vector<int> weights;
  weights.reserve(pattern.size());
  for (char c : pattern) {
    const int weight = notation::WeightOf(c);
    if (weight != notation::kNoWeight) weights.push_back(weight);
  }
  return weights;
}

int32_t CrossSum(int32_t n) {
  // Widened first: the absolute value of the smallest int32_t does not fit.
  int64_t rest = std::llabs(static_cast<int64_t>(n));
  int32_t sum = 0;
  while (rest > 0) {
    sum += static_cast<int32_t>(rest % 10);
    rest /= 10;
  }
  return sum;
}

int32_t IteratedCrossSum(int32_t n) {
  while (n > 9) n = CrossSum(n);
  return n;
}

int64_t DigitsToNumber(std::span<const int> digits, int from, int to) {
  if (digits.empty()) return -1;
  if (to < 0) to = static_cast<int>(digits.size()) - 1;
  if (from < 0 || to >= static_cast<int>(digits.size())) return -1;
  int64_t number = 0;
  for (int i = from; i <= to; ++i) number = number * 10 + digits[static_cast<std::size_t>(i)];
  return number;
}

std::string_view NextToken(std::string_view& text, char separator) {
  return notation::SplitAt(text, separator);
}

}  // namespace quandor::methods
