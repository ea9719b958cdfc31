// Today's methods in which the length, the shape or the range of the number
// decides what is weighed, or that nothing is.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "methods/current/common_weighings.h"
#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {
namespace {

// Numbers in these ranges carry no check digit and are valid as they are;
// any other number is checked by method 06 as it stands.
CheckResult Method06OutsideRanges(CheckContext& ctx, std::span<const NumberRange> unchecked) {
  const int64_t n = AccountNumber(ctx);
  const bool in_range =
      std::ranges::any_of(unchecked, [n](const NumberRange& range) { return InRange(n, range); });
  if (in_range) return ValidWithoutCheck(ctx);
  return CheckByTable(ctx, "6");
}

constexpr std::array<NumberRange, 5> kUncheckedRanges95 = {{
    {1, 1999999},
    {9000000, 25999999},
    {396000000, 499999999},
    {700000000, 799999999},
    {910000000, 989999999},
}};

constexpr std::array<NumberRange, 1> kUncheckedRanges99 = {{
    {396000000, 499999999},
}};

// Method 89 checks numbers of seven to nine digits only; the others carry no
// check digit.
constexpr int kShortest89 = 7;
constexpr int kLongest89 = 9;

// Method 91's fourth variant: the check digit in place 7, as in the first three.
constexpr auto kWeighing91Fourth = Weighing("9A5842PXXX", kPlain, 11, "11,0;10,0");

// Method 93: the customer number in places 1 to 5 with the check digit in
// place 6, or, when places 1 to 4 are "0000", in places 5 to 9 with the
// check digit in place 10; modulus 11 first, then modulus 7.
constexpr auto kFront93Eleven = Weighing("65432PXXXX", kPlain, 11, "11,0;10,0");
constexpr auto kFront93Seven = Weighing("65432PXXXX", kPlain, 7, "7,0");

bool HasCustomerNumberAtBack93(const CheckContext& ctx) {
  return std::all_of(ctx.digits.begin(), ctx.digits.begin() + 4, [](int d) { return d == 0; });
}

}  // namespace

CheckResult Method89(CheckContext& ctx) {
  const int length = SignificantDigits(ctx.digits);
  if (length < kShortest89 || length > kLongest89) return ValidWithoutCheck(ctx);
  return CheckMethod89(ctx);  // the original rows by length
}

CheckResult Method91(CheckContext& ctx) {
  // Row "91" holds variants 1 to 3.
  return FirstAccepting(ctx, {ByRow("91"), Weighed(kWeighing91Fourth)});
}

CheckResult Method93(CheckContext& ctx) {
  if (HasCustomerNumberAtBack93(ctx))
    return FirstAccepting(ctx, {&kPlaces5To9Mod11, &kPlaces5To9Mod7});
  return FirstAccepting(ctx, {&kFront93Eleven, &kFront93Seven});
}

CheckResult Method95(CheckContext& ctx) { return Method06OutsideRanges(ctx, kUncheckedRanges95); }

CheckResult Method99(CheckContext& ctx) { return Method06OutsideRanges(ctx, kUncheckedRanges99); }

}  // namespace quandor::methods::current
