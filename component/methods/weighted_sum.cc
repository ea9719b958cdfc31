#include "methods/weighted_sum.h"

#include <cstddef>

#include "quandor/errors.h"

namespace quandor::methods {
namespace {

// A product of a digit and a weight is at most 90, so one division splits it
// into its two decimal digits: the same as CrossSum, without the loop.
constexpr int CrossSumOfProduct(int product) { return product / 10 + product % 10; }

static_assert(CrossSumOfProduct(90) == 9 && CrossSumOfProduct(18) == 9 &&
              CrossSumOfProduct(7) == 7);

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

std::optional<int> CheckWeightedSum(CheckContext& ctx, const notation::Weighing& row) {
  using Kind = notation::RuleEntry::Kind;
  const auto fail = [&ctx]() -> std::optional<int> {
    ctx.last_error = qdUnknownError;
    return std::nullopt;
  };

  if (!AllDecimal(ctx.digits)) return fail();
  int sum = 0;
  if (row.use_cross_sum) {
    for (std::size_t i = 0; i < ctx.digits.size(); ++i) {
      sum += CrossSumOfProduct(ctx.digits[i] * row.weights[i]);
    }
  } else {
    for (std::size_t i = 0; i < ctx.digits.size(); ++i) sum += ctx.digits[i] * row.weights[i];
  }
  const int check_digit =
      row.check_index < 0 ? 0 : ctx.digits[static_cast<std::size_t>(row.check_index)];

  // Between 1 and the modulus: an even division gives the modulus itself.
  int value = row.modulus - Remainder(sum, row.modulus);
  for (std::size_t i = 0; i < row.rule_size; ++i) {
    const notation::RuleEntry& entry = row.rule[i];
    if (entry.kind == Kind::kBadKey) return fail();
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
        return fail();
    }
    break;
  }

  if (check_digit != value) ctx.last_error = qdWrongCheckDigit;
  return value;
}

std::optional<int> CheckWeightedSum(CheckContext& ctx, const MethodRow& row) {
  const auto weighing = notation::ReadWeighing(row.Pattern, row.UseCrossSum, row.Modulus, row.Rule);
  if (!weighing) {
    ctx.last_error = qdUnknownError;
    return std::nullopt;
  }
  return CheckWeightedSum(ctx, *weighing);
}

}  // namespace quandor::methods
