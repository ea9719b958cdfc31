// Verdict helpers, the chain of checks and account-number shapes shared by
// the special methods of both sets.
#ifndef QUANDOR_METHODS_SPECIAL_SUPPORT_H_
#define QUANDOR_METHODS_SPECIAL_SUPPORT_H_

#include <cstdint>
#include <optional>
#include <span>

#include "methods/check_context.h"
#include "methods/digits.h"
#include "quandor/errors.h"

namespace quandor::methods {

// Index of the digit that every special method finally compares.
inline constexpr int kLastIndex = 9;

// Accepts without computing: the error code stays as the caller set it.
inline int ValidWithoutCheck(const CheckContext& ctx) { return ctx.digits[kLastIndex]; }

// Rejects the account number.
inline int Wrong(CheckContext& ctx) {
  ctx.last_error = qdWrongCheckDigit;
  return -1;
}

// A run-time failure: the check cannot give a verdict.
inline int Failed(CheckContext& ctx) {
  ctx.last_error = qdUnknownError;
  return -1;
}

// The value a routine hands back after a row has given its verdict: the
// expected check digit when the row accepted, -1 otherwise.
inline int AcceptedDigit(const CheckContext& ctx, const std::optional<int>& expected) {
  return expected && ctx.last_error == qdNoError ? *expected : -1;
}

// After one check of a chain has given its verdict: true, with the rejection
// wiped, when it rejected and the next check may try; false when it accepted
// or failed, which is then the verdict of the chain.
inline bool NextVariant(CheckContext& ctx) {
  if (ctx.last_error != qdWrongCheckDigit) return false;
  ctx.last_error = qdNoError;
  return true;
}

// The chain of both sets: runs the checks in turn with run(ctx, check), which
// returns what a routine returns, and accepts with the first that accepts.
// Only a rejection hands the number on; a failure ends the chain.
template <class Check, class Run>
int FirstAccepting(CheckContext& ctx, std::span<const Check> checks, Run run) {
  for (const Check& check : checks) {
    const int digit = run(ctx, check);
    if (!NextVariant(ctx)) return digit;
  }
  return Wrong(ctx);
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
