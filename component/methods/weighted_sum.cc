#include "methods/weighted_sum.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quandor::methods {
namespace {

// A product of a digit and a weight is at most 90: its cross sum is read
// from a table rather than computed, the same as CrossSum without its loop.
constexpr std::array<uint8_t, 91> kCrossSumOfProduct = [] {
  std::array<uint8_t, 91> sums{};
  for (unsigned product = 0; product < sums.size(); ++product) {
    sums[product] = static_cast<uint8_t>(product / 10 + product % 10);
  }
  return sums;
}();

// Nearly every row divides by 10 or 11: by a constant the compiler
// multiplies instead of dividing.
int Remainder(int sum, int modulus) {
  switch (modulus) {
    case 10:
      return sum % 10;
    case 11:
      return sum % 11;
    default:
      return sum % modulus;
  }
}

}  // namespace

CheckResult CheckWeightedSum(CheckContext& ctx, const notation::Weighing& row) {
  using Kind = notation::RuleEntry::Kind;
  if (!AllDecimal(ctx.digits)) return CheckResult::CannotCheck();
  // The bank's rule: every digit times the weight of its place, or the cross
  // sum of that product, added up; digits 0..9 and weights 0..10 keep every
  // value small and unsigned.
  unsigned sum = 0;
  if (row.use_cross_sum) {
    for (std::size_t i = 0; i < ctx.digits.size(); ++i) {
      sum += kCrossSumOfProduct[static_cast<unsigned>(ctx.digits[i]) * row.weights[i]];
    }
  } else {
    for (std::size_t i = 0; i < ctx.digits.size(); ++i) {
      sum += static_cast<unsigned>(ctx.digits[i]) * row.weights[i];
    }
  }
  const int check_digit =
      row.check_index < 0 ? 0 : ctx.digits[static_cast<std::size_t>(row.check_index)];

  // Between 1 and the modulus: an even division gives the modulus itself.
  int value = row.modulus - Remainder(static_cast<int>(sum), row.modulus);
  for (std::size_t i = 0; i < row.rule_size; ++i) {
    const notation::RuleEntry& entry = row.rule[i];
    if (entry.kind == Kind::kBadKey) return CheckResult::CannotCheck();
    if (entry.key != value) continue;
    switch (entry.kind) {
      case Kind::kValue:
        value = entry.value;
        break;
      case Kind::kAccountDigit:
        value = ctx.digits[static_cast<std::size_t>(entry.value)];
        break;
      case Kind::kBadKey:
      case Kind::kBadReplacement:
        return CheckResult::CannotCheck();
    }
    break;
  }

  return CheckResult::Compare(value, check_digit);
}

CheckResult CheckWeightedSum(CheckContext& ctx, const MethodRow& row) {
  const auto weighing = notation::ReadWeighing(row.Pattern, row.UseCrossSum, row.Modulus, row.Rule);
  if (!weighing) return CheckResult::CannotCheck();
  return CheckWeightedSum(ctx, *weighing);
}

}  // namespace quandor::methods
