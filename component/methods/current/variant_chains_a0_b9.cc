// Today's methods A2 to B8 that try their variants in turn, each variant
// running only after the one before found a wrong check digit.
#include <array>
#include <cstdint>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {
namespace {

// Positions 4 to 9 weighed 2 to 7 from the right, the remainder as in method 06.
constexpr auto kPositions4To9Mod11 = Weighing("XXX765432P", kPlain, 11, "11,0;10,0");
// The same digits modulo 7; no remainder gives check digit 0.
constexpr auto kPositions4To9Mod7 = Weighing("XXX765432P", kPlain, 7, "7,0");
// Positions 4 to 9 weighed as in method 00, cross sums and all.
constexpr auto kPositions4To9As00 = Weighing("XXX121212P", kCrossSum, 10, "10,0");
// Positions 5 to 9 weighed 2 to 6, modulo 11 as in method 06 and modulo 7.
constexpr auto kPositions5To9Mod11 = Weighing("XXXX65432P", kPlain, 11, "11,0;10,0");
constexpr auto kPositions5To9Mod7 = Weighing("XXXX65432P", kPlain, 7, "7,0");
// Positions 1 to 5 weighed 2 to 6, the check digit at position 6.
constexpr auto kPositions1To5Mod11 = Weighing("65432PXXXX", kPlain, 11, "11,0;10,0");
constexpr auto kPositions1To5Mod7 = Weighing("65432PXXXX", kPlain, 7, "7,0");

// Method 93 as the Bundesbank describes it today: a five-digit customer
// number, modulo 11 and then modulo 7. It stands at positions 5 to 9 when
// positions 1 to 4 read 0000, else at positions 1 to 5.
int CheckCustomerNumber(CheckContext& ctx) {
  const bool at_right =
      ctx.digits[0] == 0 && ctx.digits[1] == 0 && ctx.digits[2] == 0 && ctx.digits[3] == 0;
  return at_right ? FirstAccepting(ctx, {&kPositions5To9Mod11, &kPositions5To9Mod7})
                  : FirstAccepting(ctx, {&kPositions1To5Mod11, &kPositions1To5Mod7});
}

// Method 51's rule for ledger accounts (a 9 at position 3): positions 3 to 9
// weighed 2 to 8, then positions 1 to 9 weighed 2 to 10; a remainder of 0 or
// 1 gives check digit 0.
constexpr auto kLedgerPositions3To9 = Weighing("XX8765432P", kPlain, 11, "11,0;10,0");
constexpr auto kLedgerPositions1To9 = Weighing("A98765432P", kPlain, 11, "11,0;10,0");

bool IsLedgerAccount(const CheckContext& ctx) { return ctx.digits[2] == 9; }

// Method B8: account numbers that carry no check digit when the two
// calculations find none.
constexpr std::array<NumberRange, 2> kB8Unchecked = {{
    {5100000000, 5999999999},
    {9010000000, 9109999999},
}};

}  // namespace

int MethodA2(CheckContext& ctx) {
  return FirstAcceptingOf(ctx, {OriginalRow("0"), OriginalRow("4")});
}

int MethodA3(CheckContext& ctx) {
  return FirstAcceptingOf(ctx, {OriginalRow("0"), OriginalRow("10")});
}

int MethodA4(CheckContext& ctx) {
  // A 99 at positions 3 and 4 marks account numbers that variants 1 and 2
  // do not apply to.
  const bool marked = ctx.digits[2] == 9 && ctx.digits[3] == 9;
  const int digit = marked ? FirstAccepting(ctx, {&kPositions5To9Mod11})
                           : FirstAccepting(ctx, {&kPositions4To9Mod11, &kPositions4To9Mod7});
  if (!ClearedWrongDigit(ctx)) return digit;
  return CheckCustomerNumber(ctx);
}

int MethodA5(CheckContext& ctx) {
  const int digit = CheckByTableRow(ctx, "0");
  if (!ClearedWrongDigit(ctx)) return digit;
  // Ten-digit account numbers beginning with 9 have no second variant.
  if (ctx.digits[0] == 9) return Wrong(ctx);
  return CheckByTableRow(ctx, "10");
}

int MethodA7(CheckContext& ctx) {
  return FirstAcceptingOf(ctx, {OriginalRow("0"), OriginalRow("3")});
}

int MethodA8(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) {
    return FirstAccepting(ctx, {&kLedgerPositions3To9, &kLedgerPositions1To9});
  }
  return FirstAccepting(ctx, {&kPositions4To9Mod11, &kPositions4To9As00});
}

int MethodA9(CheckContext& ctx) {
  return FirstAcceptingOf(ctx, {OriginalRow("1"), OriginalRow("6")});
}

int MethodB1(CheckContext& ctx) {
  return FirstAcceptingOf(ctx, {OriginalRow("5"), OriginalRow("1"), OriginalRow("0")});
}

int MethodB5(CheckContext& ctx) {
  const int digit = CheckByTableRow(ctx, "5");
  if (!ClearedWrongDigit(ctx)) return digit;
  // Ten-digit account numbers beginning with 8 or 9 have no second variant.
  if (ctx.digits[0] == 8 || ctx.digits[0] == 9) return Wrong(ctx);
  return CheckByTableRow(ctx, "0");
}

int MethodB8(CheckContext& ctx) {
  int digit = CheckByTableRow(ctx, "20");
  if (!ClearedWrongDigit(ctx)) return digit;
  digit = CheckMethod29(ctx);
  if (!ClearedWrongDigit(ctx)) return digit;
  const int64_t account = AccountNumber(ctx);
  for (const NumberRange& range : kB8Unchecked) {
    if (InRange(account, range)) return ValidWithoutCheck(ctx);
  }
  return Wrong(ctx);
}

}  // namespace quandor::methods::current
