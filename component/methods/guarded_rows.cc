// Methods that guard a table row with a precondition, a digit rewrite or an extra rule.
#include <cstdint>

#include "methods/digits.h"
#include "methods/special_methods.h"
#include "methods/table_handover.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

// Method 08 checks account numbers from this one on; smaller ones are invalid.
constexpr int64_t kMethod08Threshold = 60000;

// Method 25: row "2502" gives this value when no check digit fits.
constexpr int kNoFittingCheckDigit = 10;

}  // namespace

int CheckMethod08(CheckContext& ctx) {
  if (DigitsToNumber(ctx.digits) < kMethod08Threshold) {
    ctx.last_error = qdWrongCheckDigit;
    return -1;
  }
  return CheckByTableRow(ctx, "0");
}

int CheckMethod09(CheckContext& ctx) {
  // No check digit: every account number is valid.
  return ctx.digits[9];
}

int CheckMethod25(CheckContext& ctx) {
  // Only account numbers of up to nine digits carry this check digit.
  if (ctx.digits[0] != 0) {
    ctx.last_error = qdWrongCheckDigit;
    return -1;
  }
  const auto expected = CheckByTable(ctx, "2502");
  if (!expected || ctx.last_error == qdUnknownError) {
    ctx.last_error = qdUnknownError;
    return -1;
  }
  if (*expected == kNoFittingCheckDigit) {
    // Such account numbers are valid when their second digit is 8 or 9.
    if (ctx.digits[1] == 8 || ctx.digits[1] == 9) {
      ctx.last_error = qdNoError;
      return kNoFittingCheckDigit;
    }
    ctx.last_error = qdWrongCheckDigit;
    return -1;
  }
  return AcceptedDigit(ctx, expected);
}

int CheckMethod41(CheckContext& ctx) {
  // A 9 in fourth place marks digits 1 to 3 as no part of the account number;
  // they are cleared in the caller's digits.
  if (ctx.digits[3] == 9) ctx.digits[0] = ctx.digits[1] = ctx.digits[2] = 0;
  return CheckByTableRow(ctx, "0");
}

int CheckMethod45(CheckContext& ctx) {
  // Account numbers of up to nine digits, and those with 1 in fifth place,
  // carry no check digit.
  if (ctx.digits[0] == 0 || ctx.digits[4] == 1) {
    ctx.last_error = qdNoError;
    return ctx.digits[9];
  }
  return CheckByTableRow(ctx, "0");
}

}  // namespace quandor::methods
