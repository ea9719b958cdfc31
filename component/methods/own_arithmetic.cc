// Methods 76, 77 and 97: arithmetic of their own, no table rows.
#include <array>
#include <cstdint>
#include <span>

#include "methods/digits.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"

namespace quandor::methods {
namespace {

// Digit at position 1..10.
int At(const CheckContext& ctx, int position) {
  return ctx.digits[static_cast<size_t>(position - 1)];
}

// Sum of the digits from position first on, each times its weight.
template <size_t N>
int WeightedSum(const CheckContext& ctx, int first, const std::array<int, N>& weights) {
  int sum = 0;
  for (size_t k = 0; k < N; ++k) sum += At(ctx, first + static_cast<int>(k)) * weights[k];
  return sum;
}

// Method 76: the account kinds that carry a check digit.
bool IsCheckedKind(int digit) {
  return digit == 0 || digit == 4 || digit == 6 || digit == 7 || digit == 8 || digit == 9;
}

constexpr std::array<int, 6> kWeights76 = {7, 6, 5, 4, 3, 2};
constexpr std::array<int, 5> kFirstWeights77 = {5, 4, 3, 2, 1};
constexpr std::array<int, 5> kSecondWeights77 = {5, 4, 3, 4, 5};

}  // namespace

CheckResult CheckMethod76(CheckContext& ctx) {
  if (!IsCheckedKind(At(ctx, 1))) return CheckResult::Rejected();
  int r = WeightedSum(ctx, 2, kWeights76) % 11;
  if (r == 10) return CheckResult::Rejected();  // no second try either
  if (r == At(ctx, 8)) return CheckResult::Accepted(r);

  // The same number written two places further right.
  if (!IsCheckedKind(At(ctx, 3))) return CheckResult::Rejected();
  return CheckResult::Compare(WeightedSum(ctx, 4, kWeights76) % 11, At(ctx, 10));
}

CheckResult CheckMethod77(CheckContext& ctx) {
  // The check digit is weighed with the others: no expected digit exists.
  if (WeightedSum(ctx, 6, kFirstWeights77) % 11 == 0) return CheckResult::Accepted(0);
  if (WeightedSum(ctx, 6, kSecondWeights77) % 11 == 0) return CheckResult::Accepted(0);
  return CheckResult::Rejected();
}

CheckResult CheckMethod97(CheckContext& ctx) {
  const int64_t n = DigitsToNumber(std::span<const int>(ctx.digits), 0, 8);
  if (n < 0) return CheckResult::CannotCheck();
  const int r = static_cast<int>(n % 11);
  return CheckResult::Compare(r == 10 ? 0 : r, ctx.digits[kLastIndex]);
}

}  // namespace quandor::methods
