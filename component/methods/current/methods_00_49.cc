// Today's methods among 00 to 49 that differ from the original ones: each
// adds an exception or a new shape to a weighing the original engine knows.
#include <cstdint>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/runner.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {
namespace {

// Method 08 checks account numbers from this one on; the ones below carry no
// check digit.
constexpr int64_t kMethod08FirstChecked = 60000;

// Method 25: the value row "2502" gives for remainder 1, where no check digit fits.
constexpr int kNoFittingCheckDigit = 10;

// Method 26: positions 1 to 7 weighed, the check digit in position 8 and a
// two-digit sub-account after it. Numbers beginning 00 were written without
// their sub-account and are read two places further right.
constexpr auto kMethod26 = Weighing("2765432PXX", kPlain, 11, "11,0;10,0");
constexpr auto kMethod26Short = Weighing("XX2765432P", kPlain, 11, "11,0;10,0");

// Method 35 takes the remainder of weights 2 to 10 (from the right) itself as
// the check digit. The notation gives 11 minus a remainder, so the weights are
// written as their complements to 11: that sum is the negative of the other
// modulo 11, and 11 minus its remainder is the remainder wanted. Remainder 10
// accepts when the check digit repeats the digit before it.
constexpr auto kMethod35 = Weighing("123456789P", kPlain, 11, "11,0;10,SK=8");

}  // namespace

CheckResult Method08(CheckContext& ctx) {
  if (AccountNumber(ctx) < kMethod08FirstChecked) return ValidWithoutCheck(ctx);
  return CheckByTable(ctx, "0");
}

CheckResult Method25(CheckContext& ctx) {
  // Only account numbers of up to nine digits carry this check digit.
  if (ctx.digits[0] != 0) return CheckResult::Rejected();
  const CheckResult row = CheckByTable(ctx, "2502");
  if (!row.expected()) return CheckResult::CannotCheck();
  if (*row.expected() != kNoFittingCheckDigit) return row;
  // Remainder 1: the check digit is 0, and only for work digits 8 and 9.
  const int work_digit = ctx.digits[1];
  if ((work_digit == 8 || work_digit == 9) && ctx.digits[kLastIndex] == 0) {
    return CheckResult::Accepted(0);
  }
  return CheckResult::Rejected();
}

CheckResult Method26(CheckContext& ctx) {
  const bool short_form = ctx.digits[0] == 0 && ctx.digits[1] == 0;
  return CheckWeightedSum(ctx, short_form ? kMethod26Short : kMethod26);
}

CheckResult Method35(CheckContext& ctx) { return CheckWeightedSum(ctx, kMethod35); }

CheckResult Method45(CheckContext& ctx) {
  // Today account numbers beginning 48 carry no check digit either.
  if (ctx.digits[0] == 4 && ctx.digits[1] == 8) return ValidWithoutCheck(ctx);
  return CheckMethod45(ctx);
}

}  // namespace quandor::methods::current
