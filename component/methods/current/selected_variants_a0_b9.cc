// Today's methods A0 to B7 that choose one way of checking by the account
// number's digits, length or range, and give its verdict as theirs.
#include <array>
#include <cstddef>
#include <cstdint>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"

namespace quandor::methods::current {
namespace {

// Method A0: positions 5 to 9 weighed 2, 4, 8, 5, 10 from the right; a
// remainder of 0 or 1 gives check digit 0.
constexpr auto kA0Weighing = Weighing("0000A5842P", kPlain, 11, "11,0;10,0");

// Method A1: method 00 without positions 1 and 2.
constexpr auto kA1Weighing = Weighing("002121212P", kCrossSum, 10, "10,0");

// Method B4: weights 2 to 10 from the right, the remainder as in method 02
// (a remainder of 1 leaves no check digit).
constexpr auto kB4Weighing = Weighing("A98765432P", kPlain, 11, "11,0");

// Method B0: the digits at position 8 that mark account numbers without a
// check digit.
constexpr std::array<bool, 10> kB0Unchecked = {false, true, true,  true,  false,
                                               false, true, false, false, false};

// Method B7: the ranges whose account numbers carry a check digit by method 01.
constexpr std::array<NumberRange, 2> kB7Checked = {{
    {1000000, 5999999},
    {700000000, 899999999},
}};

// Whether the digits at indexes first to last (0 the leftmost) are all 0.
bool AllZero(const CheckContext& ctx, int first, int last) {
  for (int i = first; i <= last; ++i) {
    if (ctx.digits[static_cast<std::size_t>(i)] != 0) return false;
  }
  return true;
}

}  // namespace

CheckResult MethodA0(CheckContext& ctx) {
  // Account numbers of up to three digits carry no check digit.
  if (AllZero(ctx, 0, 6)) return ValidWithoutCheck(ctx);
  return RunVariant(ctx, Weighed(kA0Weighing));
}

CheckResult MethodA1(CheckContext& ctx) {
  const int length = SignificantDigits(ctx.digits);
  if (length != 8 && length != 10) return CheckResult::Rejected();
  return RunVariant(ctx, Weighed(kA1Weighing));
}

CheckResult MethodA6(CheckContext& ctx) {
  return RunVariant(ctx, ctx.digits[1] == 8 ? ByRow("0") : ByRow("1"));
}

CheckResult MethodB0(CheckContext& ctx) {
  // Only ten-digit account numbers exist, and none of them begins with 8.
  if (ctx.digits[0] == 0 || ctx.digits[0] == 8) return CheckResult::Rejected();
  if (kB0Unchecked[static_cast<std::size_t>(ctx.digits[7])]) return ValidWithoutCheck(ctx);
  return RunVariant(ctx, ByRow("6"));
}

CheckResult MethodB2(CheckContext& ctx) {
  return RunVariant(ctx, ctx.digits[0] <= 7 ? ByRow("2") : ByRow("0"));
}

CheckResult MethodB3(CheckContext& ctx) {
  return RunVariant(ctx, ctx.digits[0] <= 8 ? ByRow("32") : ByRow("6"));
}

CheckResult MethodB4(CheckContext& ctx) {
  return RunVariant(ctx, ctx.digits[0] == 9 ? ByRow("0") : Weighed(kB4Weighing));
}

CheckResult MethodB6(CheckContext& ctx) {
  // Ten-digit account numbers, and those beginning 02691 to 02699, are
  // checked by method 20; the others by method 53, nine-digit numbers only.
  const bool by_method_20 = ctx.digits[0] != 0 || (ctx.digits[1] == 2 && ctx.digits[2] == 6 &&
                                                   ctx.digits[3] == 9 && ctx.digits[4] != 0);
  if (by_method_20) return RunVariant(ctx, ByRow("20"));
  return Method53(ctx);
}

CheckResult MethodB7(CheckContext& ctx) {
  const int64_t account = AccountNumber(ctx);
  for (const NumberRange& range : kB7Checked) {
    if (InRange(account, range)) return RunVariant(ctx, ByRow("1"));
  }
  return ValidWithoutCheck(ctx);
}

}  // namespace quandor::methods::current
