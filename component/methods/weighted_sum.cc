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

}  // namespace

std::optional<int> CheckWeightedSum(CheckContext& ctx, const notation::Weighing& row) {
  using Kind = notation::RuleEntry::Kind;
  const auto fail = [&ctx]() -> std::optional<int> {
    ctx.last_error = qdUnknownError;
    return std::nullopt;
  };

  int sum = 0;
  int check_digit = 0;
  for (std::size_t i = 0; i < ctx.digits.size(); ++i) {
    const int digit = ctx.digits[i];
    if (digit < 0 || digit > 9) return fail();
    const int weight = row.weights[i];
    if (weight >= 0) {
      const int product = digit * weight;
      sum += row.use_cross_sum ? CrossSumOfProduct(product) : product;
    } else if (weight == kCheckDigitWeight) {
      check_digit = digit;  // were there two, the rightmost would count
    }
  }

  // Between 1 and the modulus: an even division gives the modulus itself.
  int value = row.modulus - sum % row.modulus;
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
