// Today's methods whose variant is chosen by the shape of the account number
// (leading digits, length, range): C0, C1, C3, C4, C5, D0 and D8.
#include <array>
#include <cstddef>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"

namespace quandor::methods::current {
namespace {

// C0: numbers of eight digits after exactly two leading zeros may still carry
// the check digit of their legacy form (method 52). Without digits after the
// fifth place no legacy form exists, so such numbers go straight to method 20.
// For the numbers let through, the original routine of method 52 is today's.
bool HasLegacyForm(const AccountDigits& d) {
  if (d[0] != 0 || d[1] != 0 || d[2] == 0) return false;
  for (std::size_t i = 4; i < d.size(); ++i) {
    if (d[i] != 0) return true;
  }
  return false;
}

// C1, second variant: method 17's sum over digits 1 to 9. Subtracting 1
// before dividing by 11 and subtracting the remainder from 10 is 11 minus the
// remainder of the plain sum, 10 and 11 giving 0.
constexpr auto kWeighingC1Second = Weighing("121212121P", kCrossSum, 11, "11,0;10,0");

// C5: the variant by the range of the account number.
constexpr std::array<RangeVariant, 9> kRangesC5 = {{
    {{100000, 899999}, ByMethod(75)},        // six digits, 1-8 first
    {{100000000, 899999999}, ByMethod(75)},  // nine digits, 1-8 first
    {{1000000000, 1999999999}, ByMethod(29)},
    {{4000000000, 6999999999}, ByMethod(29)},
    {{9000000000, 9999999999}, ByMethod(29)},
    {{3000000000, 3999999999}, ByMethod(0)},
    {{30000000, 59999999}, ByMethod(9)},  // eight digits, 3-5 first
    {{7000000000, 7099999999}, ByMethod(9)},
    {{8500000000, 8599999999}, ByMethod(9)},
}};

// D8: ten-digit numbers are checked, eight-digit ones carry no check digit.
constexpr std::array<RangeVariant, 2> kRangesD8 = {{
    {{1000000000, 9999999999}, ByMethod(0)},
    {{10000000, 99999999}, ByMethod(9)},
}};

}  // namespace

CheckResult MethodC0(CheckContext& ctx) {
  if (HasLegacyForm(ctx.digits)) {
    const CheckResult legacy = CheckLegacyAccountNumber(ctx, false);
    if (!legacy.rejected()) return legacy;
  }
  return CheckByTable(ctx, "20");
}

CheckResult MethodC1(CheckContext& ctx) {
  if (ctx.digits[0] != 5) return CheckMethod17(ctx);
  return FirstAccepting(ctx, {&kWeighingC1Second});
}

CheckResult MethodC3(CheckContext& ctx) {
  return CheckByTable(ctx, ctx.digits[0] == 9 ? "58" : "0");
}

CheckResult MethodC4(CheckContext& ctx) {
  return CheckByTable(ctx, ctx.digits[0] == 9 ? "58" : "15");
}

CheckResult MethodC5(CheckContext& ctx) { return VariantOfRange(ctx, kRangesC5); }

CheckResult MethodD0(CheckContext& ctx) {
  // Numbers beginning with 57 carry no check digit.
  if (ctx.digits[0] == 5 && ctx.digits[1] == 7) return CheckMethod09(ctx);
  return CheckByTable(ctx, "20");
}

CheckResult MethodD8(CheckContext& ctx) { return VariantOfRange(ctx, kRangesD8); }

}  // namespace quandor::methods::current
