// Methods 52, 53, 58, 68, 74, 75 and 78: the original method, with the shapes of
// account number that today's description settles differently decided first.
#include <cstddef>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {
namespace {

// Methods 52 and 53: ten-digit numbers beginning with 9 are newer ones, which
// the original routines check by a row of their own. Every other number is
// the former system's number, which the bank's text gives as "der angegebenen
// achtstelligen Kontonummer" (52) and "für neunstellige Kontonummern" (53):
// exactly eight or nine significant digits, and at least one non-zero digit
// after its check digit in place 4 to rebuild it from. Any other number is no
// account number of the method: wrong, not a failure.
constexpr int kNewAccountDigit = 9;
constexpr int kLegacyLength52 = 8;
constexpr int kLegacyLength53 = 9;
constexpr std::size_t kFirstAfterCheckDigit = 4;

bool FitsLegacyNumber(const AccountDigits& d, int length) {
  if (SignificantDigits(d) != length) return false;
  for (std::size_t i = kFirstAfterCheckDigit; i < d.size(); ++i) {
    if (d[i] != 0) return true;
  }
  return false;
}

CheckResult CheckLegacy(CheckContext& ctx, int length, Routine original) {
  if (ctx.digits[0] != kNewAccountDigit && !FitsLegacyNumber(ctx.digits, length)) {
    return CheckResult::Rejected();
  }
  return original(ctx);
}

// The shortest account numbers methods 58, 68 and 74 are given for; shorter
// ones are no account numbers of theirs.
constexpr int kShortest58 = 6;
constexpr int kShortest68 = 6;
constexpr int kShortest74 = 2;

bool IsShorterThan(const CheckContext& ctx, int shortest) {
  return SignificantDigits(ctx.digits) < shortest;
}

// Method 75: the only lengths the stem number's places are given for.
constexpr int kLengths75[] = {6, 7, 9};

// Method 78: eight-digit numbers carry no check digit.
constexpr int kUncheckedLength78 = 8;

}  // namespace

CheckResult Method52(CheckContext& ctx) { return CheckLegacy(ctx, kLegacyLength52, CheckMethod52); }

CheckResult Method53(CheckContext& ctx) { return CheckLegacy(ctx, kLegacyLength53, CheckMethod53); }

CheckResult Method58(CheckContext& ctx) {
  if (IsShorterThan(ctx, kShortest58)) return CheckResult::Rejected();
  return CheckByTable(ctx, "58");
}

CheckResult Method68(CheckContext& ctx) {
  if (IsShorterThan(ctx, kShortest68)) return CheckResult::Rejected();
  return CheckMethod68(ctx);
}

CheckResult Method74(CheckContext& ctx) {
  if (IsShorterThan(ctx, kShortest74)) return CheckResult::Rejected();
  return FirstAccepting(ctx, {ByRoutine(CheckMethod74), ByRow("4")});
}

CheckResult Method75(CheckContext& ctx) {
  const int length = SignificantDigits(ctx.digits);
  for (int fitting : kLengths75) {
    if (length == fitting) return CheckMethod75(ctx);
  }
  return CheckResult::Rejected();
}

CheckResult Method78(CheckContext& ctx) {
  if (SignificantDigits(ctx.digits) == kUncheckedLength78) return ValidWithoutCheck(ctx);
  return CheckByTable(ctx, "0");
}

}  // namespace quandor::methods::current
