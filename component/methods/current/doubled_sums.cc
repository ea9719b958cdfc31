// Today's methods built on method 00's sum (digits weighed 2, 1, 2, ... from
// the right, products as cross sums) that the method table cannot write: a
// constant put in front of the digits (C6, D1, D4, E2), a value added (E0),
// the check digit read from the sum itself (D7).
#include <array>
#include <cstddef>
#include <string_view>

#include "methods/current/current_methods.h"
#include "methods/special_support.h"

namespace quandor::methods::current {
namespace {

constexpr int CrossSumOfProduct(int product) { return product / 10 + product % 10; }

// Method 00's sum over the digits from index first up to the one before the
// check digit, that one weighed 2.
int DoubledSum(const AccountDigits& digits, std::size_t first) {
  int sum = 0;
  int weight = 2;
  for (std::size_t i = kLastIndex; i-- > first;) {
    sum += CrossSumOfProduct(digits[i] * weight);
    weight = 3 - weight;
  }
  return sum;
}

CheckResult Compare(const CheckContext& ctx, int check_digit) {
  return CheckResult::Compare(check_digit, ctx.digits[kLastIndex]);
}

// The first digit of the account number chooses what is added to the sum.
constexpr int kRejected = -1;
using OffsetByFirstDigit = std::array<int, 10>;

// What a constant written in front of digits_after account digits adds to
// method 00's sum; kRejected for an empty constant.
constexpr int ConstantSum(std::string_view constant, std::size_t digits_after) {
  if (constant.empty()) return kRejected;
  int sum = 0;
  int weight = digits_after % 2 == 0 ? 2 : 1;  // the constant's last digit
  for (std::size_t i = constant.size(); i-- > 0;) {
    sum += CrossSumOfProduct((constant[i] - '0') * weight);
    weight = 3 - weight;
  }
  return sum;
}

constexpr OffsetByFirstDigit Offsets(const std::array<std::string_view, 10>& constants,
                                     std::size_t digits_after) {
  OffsetByFirstDigit offsets{};
  for (std::size_t d = 0; d < constants.size(); ++d) {
    offsets[d] = ConstantSum(constants[d], digits_after);
  }
  return offsets;
}

// A method 00 sum over the digits from index first, with an offset chosen by
// the first digit.
struct PrefixedSum {
  std::size_t first;
  OffsetByFirstDigit offset;
};

// The example of C6: 549957000000502 sums to 36.
static_assert(ConstantSum("5499570", 8) == 36 - (1 + 0 + 4));

// Digits 2 to 9 behind a constant of the first digit.
constexpr std::size_t kSecondDigit = 1;
constexpr std::size_t kDigitsTwoToNine = 8;

constexpr PrefixedSum kC6 = {
    kSecondDigit, Offsets({"4451970", "4451981", "4451992", "4451993", "4344992", "4344990",
                           "4344991", "5499570", "4451994", "5499579"},
                          kDigitsTwoToNine)};
constexpr PrefixedSum kD1 = {
    kSecondDigit, Offsets({"4363380", "4363381", "4363382", "4363383", "4363384", "4363385",
                           "4363386", "4363387", "", "4363389"},
                          kDigitsTwoToNine)};
constexpr PrefixedSum kE2 = {kSecondDigit, Offsets({"4383200", "4383201", "4383202", "4383203",
                                                    "4383204", "4383205", "", "", "", ""},
                                                   kDigitsTwoToNine)};
// D4: digits 1 to 9 behind one constant; a leading 0 is wrong.
constexpr PrefixedSum kD4 = {0, Offsets({"", "428259", "428259", "428259", "428259", "428259",
                                         "428259", "428259", "428259", "428259"},
                                        kLastIndex)};
// E0: 7 added to every sum.
constexpr PrefixedSum kE0 = {0, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7}};

CheckResult CheckPrefixed(CheckContext& ctx, const PrefixedSum& method) {
  const int offset = method.offset[static_cast<std::size_t>(ctx.digits[0])];
  if (offset == kRejected) return CheckResult::Rejected();
  const int sum = offset + DoubledSum(ctx.digits, method.first);
  return Compare(ctx, (10 - sum % 10) % 10);
}

}  // namespace

CheckResult MethodC6(CheckContext& ctx) { return CheckPrefixed(ctx, kC6); }
CheckResult MethodD1(CheckContext& ctx) { return CheckPrefixed(ctx, kD1); }
CheckResult MethodD4(CheckContext& ctx) { return CheckPrefixed(ctx, kD4); }
CheckResult MethodE0(CheckContext& ctx) { return CheckPrefixed(ctx, kE0); }
CheckResult MethodE2(CheckContext& ctx) { return CheckPrefixed(ctx, kE2); }

// The units digit of the sum is the check digit itself.
CheckResult MethodD7(CheckContext& ctx) { return Compare(ctx, DoubledSum(ctx.digits, 0) % 10); }

}  // namespace quandor::methods::current
