// The iterated transformation and methods 27 and 29.
#include <array>
#include <cstddef>
#include <optional>

#include "methods/digits.h"
#include "methods/special_methods.h"
#include "methods/table_handover.h"

namespace quandor::methods {
namespace {

// Three permutations of 0..9, each listed as the images of 0, 1, ..., 9.
constexpr std::array<std::array<int, 10>, 3> kTransformations = {{
    {0, 1, 5, 9, 3, 7, 4, 8, 2, 6},
    {0, 1, 7, 6, 9, 8, 3, 2, 5, 4},
    {0, 1, 8, 4, 6, 2, 9, 5, 7, 3},
}};

constexpr int kUnchanged = -1;

// The permutation applied to each of the digits 0 to 8. Read from the digit
// before the check digit leftwards it cycles 0, 1, 2, unchanged.
constexpr std::array<int, 9> kTransformationOfDigit = {0, kUnchanged, 2, 1, 0, kUnchanged, 2, 1, 0};

// Ten-digit account numbers (and 0) are checked by the transformation, shorter
// ones by row "0".
constexpr int64_t kLargestShortAccount = 999999999;

}  // namespace

std::optional<int> TransformationCheckDigit(const CheckContext& ctx) {
  int sum = 0;
  for (std::size_t i = 0; i < kTransformationOfDigit.size(); ++i) {
    const int digit = ctx.digits[i];
    if (digit < 0 || digit > 9) return std::nullopt;
    const int row = kTransformationOfDigit[i];
    sum += row == kUnchanged
               ? digit
               : kTransformations[static_cast<std::size_t>(row)][static_cast<std::size_t>(digit)];
  }
  const int remainder = sum % 10;
  return remainder == 0 ? 0 : 10 - remainder;
}

CheckResult CheckMethod29(CheckContext& ctx) {
  const auto check_digit = TransformationCheckDigit(ctx);
  if (!check_digit) return CheckResult::CannotCheck();
  return CheckResult::Compare(*check_digit, ctx.digits[9]);
}

CheckResult CheckMethod27(CheckContext& ctx) {
  const int64_t account = DigitsToNumber(ctx.digits);
  if (account >= 1 && account <= kLargestShortAccount) return CheckByTable(ctx, "0");
  return CheckMethod29(ctx);
}

}  // namespace quandor::methods
