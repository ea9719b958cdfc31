// Methods that guard a table row with a precondition, a digit rewrite or an extra rule.
#include <cstdint>

#include "methods/digits.h"
#include "methods/special_methods.h"
#include "methods/table_handover.h"

namespace quandor::methods {
namespace {

// Method 08 checks account numbers from this one on; smaller ones are invalid.
constexpr int64_t kMethod08Threshold = 60000;

// Method 25: row "2502" gives this value when no check digit fits.
constexpr int kNoFittingCheckDigit = 10;

}  // namespace

CheckResult CheckMethod08(CheckContext& ctx) {
  if (DigitsToNumber(ctx.digits) < kMethod08Threshold) return CheckResult::Rejected();
  return CheckByTable(ctx, "0");
}

CheckResult CheckMethod09(CheckContext& ctx) {
  // No check digit: every account number is valid.
  return ValidWithoutCheck(ctx);
}

CheckResult CheckMethod25(CheckContext& ctx) {
  // Only account numbers of up to nine digits carry this check digit.
  if (ctx.digits[0] != 0) return CheckResult::Rejected();
  const CheckResult row = CheckByTable(ctx, "2502");
  if (!row.expected()) return CheckResult::CannotCheck();
  if (*row.expected() == kNoFittingCheckDigit) {
    // Such account numbers are valid when their second digit is 8 or 9.
    if (ctx.digits[1] == 8 || ctx.digits[1] == 9)
      return CheckResult::Accepted(kNoFittingCheckDigit);
    return CheckResult::Rejected();
  }
  return row;
}

CheckResult CheckMethod41(CheckContext& ctx) {
  // A 9 in fourth place marks digits 1 to 3 as no part of the account number;
  // they are cleared in the caller's digits.
  if (ctx.digits[3] == 9) ctx.digits[0] = ctx.digits[1] = ctx.digits[2] = 0;
  return CheckByTable(ctx, "0");
}

CheckResult CheckMethod45(CheckContext& ctx) {
  // Account numbers of up to nine digits, and those with 1 in fifth place,
  // carry no check digit.
  if (ctx.digits[0] == 0 || ctx.digits[4] == 1) return ValidWithoutCheck(ctx);
  return CheckByTable(ctx, "0");
}

}  // namespace quandor::methods
