// Methods 68, 69, 74 and 96: table rows chained with ranges that need no
// check and final rules that can still accept a number a row rejected.
#include <cstdint>
#include <optional>

#include "methods/digits.h"
#include "methods/runner.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

// A row whose expected digit is then compared by the routine itself gives no
// digit only after a failure of its own.
bool RowFailed(CheckContext& ctx, const std::optional<int>& expected) {
  if (expected) return false;
  Failed(ctx);
  return true;
}

// A final rule accepted a number that the rows before it rejected.
int AcceptedAfterAll(CheckContext& ctx, int digit) {
  ctx.last_error = qdNoError;
  return digit;
}

// The check digit of the iterated transformation, or nothing after its
// failure (which it has recorded).
std::optional<int> TransformedCheckDigit(CheckContext& ctx) {
  const int d = TransformationCheckDigit(ctx);
  if (ctx.last_error == qdUnknownError) return std::nullopt;
  return d;
}

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

int CheckMethod68(CheckContext& ctx) {
  if (SignificantDigits(ctx.digits) == 10) {
    if (ctx.digits[3] != 9) return Wrong(ctx);
    return CheckByTableRow(ctx, "6802");
  }
  if (InRange(AccountNumber(ctx), kUncheckedRange68)) return ValidWithoutCheck(ctx);

  const auto first = CheckByTable(ctx, "0");
  if (ctx.last_error != qdWrongCheckDigit) return AcceptedDigit(ctx, first);

  const auto second = CheckByTable(ctx, "6803");
  if (RowFailed(ctx, second)) return -1;
  if (*second == ctx.digits[kLastIndex]) return AcceptedAfterAll(ctx, *second);
  return Wrong(ctx);
}

int CheckMethod69(CheckContext& ctx) {
  const int64_t n = AccountNumber(ctx);
  if (InRange(n, kUncheckedRange69)) return ValidWithoutCheck(ctx);

  if (InRange(n, kTransformedRange69)) {
    const auto d = TransformedCheckDigit(ctx);
    if (!d) return -1;
    return *d == ctx.digits[kLastIndex] ? *d : Wrong(ctx);
  }

  const auto expected = CheckByTable(ctx, "28");
  if (ctx.last_error != qdWrongCheckDigit) return AcceptedDigit(ctx, expected);
  const auto d = TransformedCheckDigit(ctx);
  if (!d) return -1;
  if (*d == ctx.digits[kLastIndex]) return AcceptedAfterAll(ctx, *d);
  return -1;
}

int CheckMethod74(CheckContext& ctx) {
  const auto expected = CheckByTable(ctx, "7402");
  if (RowFailed(ctx, expected)) return -1;
  if (ctx.last_error != qdWrongCheckDigit) return *expected;
  if (SignificantDigits(ctx.digits) != kHalfDecadeLength) return -1;

  const int d = HalfDecadeCheckDigit(ctx);
  if (d == ctx.digits[kLastIndex]) return AcceptedAfterAll(ctx, d);
  return -1;
}

int CheckMethod96(CheckContext& ctx) {
  const int digit = FirstAccepting(ctx, {"19", "0"});
  if (!NextVariant(ctx)) return digit;
  if (InRange(AccountNumber(ctx), kUncheckedRange96)) return ValidWithoutCheck(ctx);
  return Wrong(ctx);
}

}  // namespace quandor::methods
