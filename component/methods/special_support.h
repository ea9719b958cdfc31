// The chain of checks and account-number shapes shared by the special
// methods of both sets.
#ifndef QUANDOR_METHODS_SPECIAL_SUPPORT_H_
#define QUANDOR_METHODS_SPECIAL_SUPPORT_H_

#include <cstdint>
#include <span>

#include "methods/check_context.h"
#include "methods/check_result.h"
#include "methods/digits.h"

namespace quandor::methods {

// Index of the digit that every special method finally compares.
inline constexpr int kLastIndex = 9;

// Accepts without computing: the number carries no check digit.
inline CheckResult ValidWithoutCheck(const CheckContext& ctx) {
  return CheckResult::Accepted(ctx.digits[kLastIndex]);
}

// The chain of both sets: runs the checks in turn with run(ctx, check), which
// answers as a routine does, and accepts with the first that accepts. Only a
// rejection hands the number on; a failure ends the chain.
template <class Check, class Run>
CheckResult FirstAccepting(CheckContext& ctx, std::span<const Check> checks, Run run) {
  for (const Check& check : checks) {
    const CheckResult result = run(ctx, check);
    if (!result.rejected()) return result;
  }
  return CheckResult::Rejected();
}

// The account number as one whole value, leading zeros adding nothing.
inline int64_t AccountNumber(const CheckContext& ctx) {
  return DigitsToNumber(std::span<const int>(ctx.digits));
}

// Length of the account number without its leading zeros (0 for all zeros).
inline int SignificantDigits(const AccountDigits& digits) {
  int first = 0;
  while (first < static_cast<int>(digits.size()) && digits[static_cast<size_t>(first)] == 0) {
    ++first;
  }
  return static_cast<int>(digits.size()) - first;
}

struct NumberRange {
  int64_t low;   // included
  int64_t high;  // included
};

inline bool InRange(int64_t n, NumberRange range) { return range.low <= n && n <= range.high; }

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_SPECIAL_SUPPORT_H_
