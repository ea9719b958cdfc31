// Methods with weighted sums of their own: 17, 21 and 22.
#include <array>
#include <cstddef>

#include "methods/digits.h"
#include "methods/special_methods.h"

namespace quandor::methods {
namespace {

// Compares the computed check digit with the account's digit at an index.
CheckResult Compare(const CheckContext& ctx, std::size_t check_digit_index, int check_digit) {
  return CheckResult::Compare(check_digit, ctx.digits[check_digit_index]);
}

}  // namespace

CheckResult CheckMethod17(CheckContext& ctx) {
  // Digits 2 to 7 weighed 1, 2, 1, 2, 1, 2; the check digit is the eighth;
  // the first and the last two digits take no part.
  constexpr std::array<int, 6> kWeights = {1, 2, 1, 2, 1, 2};
  int sum = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) {
    int product = ctx.digits[i + 1] * kWeights[i];
    if (product >= 10) product -= 9;  // its cross sum, as it is at most 18
    sum += product;
  }
  // The remainder keeps the sign of sum - 1: a sum of 0 gives 11, no digit.
  const int remainder = (sum - 1) % 11;
  return Compare(ctx, 7, remainder == 0 ? 0 : 10 - remainder);
}

CheckResult CheckMethod21(CheckContext& ctx) {
  constexpr std::array<int, 9> kWeights = {2, 1, 2, 1, 2, 1, 2, 1, 2};
  int sum = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) {
    const int product = ctx.digits[i] * kWeights[i];
    sum += product % 10 + product / 10;
  }
  // A sum of 0 gives 10, which no digit equals; an account ending in 0 is never valid.
  return Compare(ctx, 9, 10 - IteratedCrossSum(sum));
}

CheckResult CheckMethod22(CheckContext& ctx) {
  // Only the units digit of each product counts.
  constexpr std::array<int, 9> kWeights = {3, 1, 3, 1, 3, 1, 3, 1, 3};
  int sum = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) sum += ctx.digits[i] * kWeights[i] % 10;
  const int check_digit = 10 - sum % 10;
  return Compare(ctx, 9, check_digit == 10 ? 0 : check_digit);
}

}  // namespace quandor::methods
