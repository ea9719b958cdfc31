// Method 87: a state machine over transformed digits (stage A), then rows "33"
// and "8703" for the numbers that stage A does not accept.
#include <array>

#include "methods/runner.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"

namespace quandor::methods {
namespace {

// The value stage A reads for each digit; values above 5 flip the d2 flag.
constexpr std::array<int, 10> kTransformed = {5, 6, 2, 3, 4, 10, 1, 7, 8, 9};

// Expected check digit by a5 (0..4), one table for each value of d2.
constexpr std::array<std::array<int, 5>, 2> kCheckDigitByFlag = {{
    {0, 4, 3, 2, 6},
    {7, 1, 5, 9, 8},
}};

constexpr int kFirstPosition = 4;
constexpr int kCheckPosition = 10;

}  // namespace

CheckResult CheckMethod87A(const AccountDigits& digits) {
  // The digits index the transformation below.
  for (const int digit : digits) {
    if (digit < 0 || digit > 9) return CheckResult::CannotCheck();
  }
  // Positions count from 1 as in the bank's description of the method.
  auto at = [&digits](int position) { return digits[static_cast<size_t>(position - 1)]; };

  int i = kFirstPosition;
  while (i <= kCheckPosition && at(i) == 0) ++i;
  if (i > kCheckPosition) return CheckResult::CannotCheck();  // nothing to start the machine on

  int c2 = i % 2;
  int d2 = 0;
  int a5 = 0;
  for (; i < kCheckPosition; ++i) {
    const int t = kTransformed[static_cast<size_t>(at(i))];
    const bool high = t > 5;
    const int part = (high && c2 == 0) ? 12 - t : t;
    a5 += (c2 == d2) ? part : -part;
    c2 ^= 1;
    if (high) d2 ^= 1;
  }
  a5 = ((a5 % 5) + 5) % 5;  // a5 may lie far below zero

  int p = kCheckDigitByFlag[static_cast<size_t>(d2)][static_cast<size_t>(a5)];
  if (p == at(kCheckPosition)) return CheckResult::Accepted(p);
  // Only numbers with a zero at position 4 get the second comparison.
  if (at(kFirstPosition) != 0) return CheckResult::Rejected();
  p = p > 4 ? p - 5 : p + 5;
  if (p == at(kCheckPosition)) return CheckResult::Accepted(p);
  return CheckResult::Rejected();
}

CheckResult CheckMethod87(CheckContext& ctx) {
  // Each stage runs unless one before it accepted: a failure of stage A, or
  // of row "33", counts as a rejection.
  if (const CheckResult a = CheckMethod87A(ctx.digits); a.accepted()) return a;
  if (const CheckResult b = CheckByTable(ctx, "33"); b.accepted()) return b;
  return CheckByTable(ctx, "8703");
}

}  // namespace quandor::methods
