#include "methods/digits.h"

namespace quandor::methods {
// TODO: not built yet.
std::vector<int> ParseDigits(std::string_view) { return {}; }
int32_t CrossSum(int32_t n) { return n; }
int32_t IteratedCrossSum(int32_t n) { return n; }
int64_t DigitsToNumber(std::span<const int>, int, int) { return -1; }
std::string_view NextToken(std::string_view& text, char) {
  auto all = text;
  text = {};
  return all;
}
}  // namespace quandor::methods
