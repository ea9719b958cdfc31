// Today's methods A2 to B8 that try their variants in turn, each variant
// running only after the one before found a wrong check digit.
#include <array>
#include <cstdint>

#include "methods/current/common_weighings.h"
#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/ledger_account.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {
namespace {

// Method B8: account numbers that carry no check digit when the two
// calculations find none.
constexpr std::array<NumberRange, 2> kB8Unchecked = {{
    {5100000000, 5999999999},
    {9010000000, 9109999999},
}};

}  // namespace

CheckResult MethodA2(CheckContext& ctx) { return FirstAccepting(ctx, {ByRow("0"), ByRow("4")}); }

CheckResult MethodA3(CheckContext& ctx) { return FirstAccepting(ctx, {ByRow("0"), ByRow("10")}); }

CheckResult MethodA4(CheckContext& ctx) {
  // A 99 at positions 3 and 4 marks account numbers that variants 1 and 2
  // do not apply to.
  const bool marked = ctx.digits[2] == 9 && ctx.digits[3] == 9;
  const CheckResult first = marked ? FirstAccepting(ctx, {&kPlaces5To9Mod11})
                                   : FirstAccepting(ctx, {&kPlaces4To9Mod11, &kPlaces4To9Mod7});
  if (!first.rejected()) return first;
  return Method93(ctx);
}

CheckResult MethodA5(CheckContext& ctx) {
  if (const CheckResult first = CheckByTable(ctx, "0"); !first.rejected()) return first;
  // Ten-digit account numbers beginning with 9 have no second variant.
  if (ctx.digits[0] == 9) return CheckResult::Rejected();
  return CheckByTable(ctx, "10");
}

CheckResult MethodA7(CheckContext& ctx) { return FirstAccepting(ctx, {ByRow("0"), ByRow("3")}); }

CheckResult MethodA8(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  return FirstAccepting(ctx, {&kPlaces4To9Mod11, &kPlaces4To9As00});
}

CheckResult MethodA9(CheckContext& ctx) { return FirstAccepting(ctx, {ByRow("1"), ByRow("6")}); }

CheckResult MethodB1(CheckContext& ctx) {
  return FirstAccepting(ctx, {ByRow("5"), ByRow("1"), ByRow("0")});
}

CheckResult MethodB5(CheckContext& ctx) {
  if (const CheckResult first = CheckByTable(ctx, "5"); !first.rejected()) return first;
  // Ten-digit account numbers beginning with 8 or 9 have no second variant.
  if (ctx.digits[0] == 8 || ctx.digits[0] == 9) return CheckResult::Rejected();
  return CheckByTable(ctx, "0");
}

CheckResult MethodB8(CheckContext& ctx) {
  const CheckResult checked = FirstAccepting(ctx, {ByRow("20"), ByRoutine(CheckMethod29)});
  if (!checked.rejected()) return checked;
  const int64_t account = AccountNumber(ctx);
  for (const NumberRange& range : kB8Unchecked) {
    if (InRange(account, range)) return ValidWithoutCheck(ctx);
  }
  return CheckResult::Rejected();
}

}  // namespace quandor::methods::current
