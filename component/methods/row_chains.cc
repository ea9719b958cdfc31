// Methods 68, 69, 74 and 96: table rows chained with ranges that need no
// check and final rules that can still accept a number a row rejected.
#include <cstdint>

#include "methods/digits.h"
#include "methods/runner.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods {
namespace {

constexpr NumberRange kUncheckedRange68 = {400000000, 499999999};
constexpr NumberRange kUncheckedRange69 = {9300000000, 9399999999};
constexpr NumberRange kTransformedRange69 = {9700000000, 9799999999};
constexpr NumberRange kUncheckedRange96 = {1300000, 99399999};

// Method 74: numbers of six significant digits that the row rejects get the
// half-decade rule.
constexpr int kHalfDecadeLength = 6;

int HalfDecadeCheckDigit(const CheckContext& ctx) {
  const auto& d = ctx.digits;
  const int32_t sum = CrossSum(2 * d[4]) + CrossSum(d[5]) + CrossSum(2 * d[6]) + CrossSum(d[7]) +
                      CrossSum(2 * d[8]);
  return 5 - sum % 5;  // distance to the next multiple of 5 above the sum
}

}  // namespace

CheckResult CheckMethod68(CheckContext& ctx) {
  if (SignificantDigits(ctx.digits) == 10) {
    if (ctx.digits[3] != 9) return CheckResult::Rejected();
    return CheckByTable(ctx, "6802");
  }
  if (InRange(AccountNumber(ctx), kUncheckedRange68)) return ValidWithoutCheck(ctx);

  if (const CheckResult first = CheckByTable(ctx, "0"); !first.rejected()) return first;
  // Row "6803"'s expected digit is compared here: a row that computed none failed.
  const auto second = CheckByTable(ctx, "6803").expected();
  if (!second) return CheckResult::CannotCheck();
  return CheckResult::Compare(*second, ctx.digits[kLastIndex]);
}

CheckResult CheckMethod69(CheckContext& ctx) {
  const int64_t n = AccountNumber(ctx);
  if (InRange(n, kUncheckedRange69)) return ValidWithoutCheck(ctx);

  // Numbers 97... are checked by the transformation alone, the others by
  // row "28" first.
  if (!InRange(n, kTransformedRange69)) {
    if (const CheckResult row = CheckByTable(ctx, "28"); !row.rejected()) return row;
  }
  const auto d = TransformationCheckDigit(ctx);
  if (!d) return CheckResult::CannotCheck();
  return CheckResult::Compare(*d, ctx.digits[kLastIndex]);
}

CheckResult CheckMethod74(CheckContext& ctx) {
  const CheckResult row = CheckByTable(ctx, "7402");
  if (!row.expected()) return CheckResult::CannotCheck();
  if (!row.rejected() || SignificantDigits(ctx.digits) != kHalfDecadeLength) return row;
  return CheckResult::Compare(HalfDecadeCheckDigit(ctx), ctx.digits[kLastIndex]);
}

CheckResult CheckMethod96(CheckContext& ctx) {
  if (const CheckResult rows = FirstAccepting(ctx, {"19", "0"}); !rows.rejected()) return rows;
  if (InRange(AccountNumber(ctx), kUncheckedRange96)) return ValidWithoutCheck(ctx);
  return CheckResult::Rejected();
}

}  // namespace quandor::methods
