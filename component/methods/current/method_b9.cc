// Method B9: arithmetic of its own, chosen by the number of leading zeros,
// with a second chance for a check digit that is off by five.
#include <array>
#include <cstddef>

#include "methods/current/current_methods.h"
#include "methods/special_support.h"

namespace quandor::methods::current {
namespace {

// Weights of positions 3 to 9 (account numbers with two leading zeros).
constexpr std::array<int, 7> kEightDigitWeights = {1, 2, 3, 1, 2, 3, 1};
constexpr std::size_t kEightDigitFirst = 2;

// Weights of positions 4 to 9 (account numbers with three leading zeros).
constexpr std::array<int, 6> kSevenDigitWeights = {6, 5, 4, 3, 2, 1};
constexpr std::size_t kSevenDigitFirst = 3;

// Each digit times its weight, plus the weight, counts modulo 11; the sum of
// these modulo 10 is the check digit.
int EightDigitCheckDigit(const CheckContext& ctx) {
  int sum = 0;
  for (std::size_t k = 0; k < kEightDigitWeights.size(); ++k) {
    const int weight = kEightDigitWeights[k];
    sum += (ctx.digits[kEightDigitFirst + k] * weight + weight) % 11;
  }
  return sum % 10;
}

// The weighted sum modulo 11 is the check digit; 10 finds a match only on
// the second chance.
int SevenDigitCheckDigit(const CheckContext& ctx) {
  int sum = 0;
  for (std::size_t k = 0; k < kSevenDigitWeights.size(); ++k) {
    sum += ctx.digits[kSevenDigitFirst + k] * kSevenDigitWeights[k];
  }
  return sum % 11;
}

// Accepts the computed check digit, or failing that the computed one plus
// five, less ten from ten on.
CheckResult AcceptComputedOrFiveOn(const CheckContext& ctx, int computed) {
  const int check_digit = ctx.digits[kLastIndex];
  if (check_digit == computed) return CheckResult::Accepted(computed);
  int second = computed + 5;
  if (second >= 10) second -= 10;
  return CheckResult::Compare(second, check_digit);
}

}  // namespace

CheckResult MethodB9(CheckContext& ctx) {
  switch (static_cast<int>(ctx.digits.size()) - SignificantDigits(ctx.digits)) {
    case 2:
      return AcceptComputedOrFiveOn(ctx, EightDigitCheckDigit(ctx));
    case 3:
      return AcceptComputedOrFiveOn(ctx, SevenDigitCheckDigit(ctx));
    default:  // fewer than two or more than three leading zeros
      return CheckResult::Rejected();
  }
}

}  // namespace quandor::methods::current
