// Methods 51 and 73: chains of weighings over the customer number, tried in
// turn until one accepts, and the ledger accounts (a 9 in third place) that
// both check by one chain of their own.
#include "methods/current/common_weighings.h"
#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/ledger_account.h"

namespace quandor::methods::current {
namespace {

// Beside the common weighings (common_weighings.h): places 5 to 9 as by
// method 00, modulo 10 and 7.
constexpr auto kCustomer5Mod10 = Weighing("XXXX21212P", kCrossSum, 10, "10,0");
constexpr auto kCustomer5CrossMod7 = Weighing("XXXX21212P", kCrossSum, 7, "7,0");

// Method 51's last weighing cannot give these check digits: a number that
// reaches it with one of them is wrong.
constexpr int kFirstDigitBeyondModulus7 = 7;

}  // namespace

CheckResult Method51(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  if (ctx.digits[kLastIndex] >= kFirstDigitBeyondModulus7) {
    return FirstAccepting(ctx, {&kPlaces4To9Mod11, &kPlaces5To9Mod11, &kPlaces4To9As00});
  }
  return FirstAccepting(ctx,
                        {&kPlaces4To9Mod11, &kPlaces5To9Mod11, &kPlaces4To9As00, &kPlaces5To9Mod7});
}

CheckResult Method73(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  return FirstAccepting(ctx, {&kPlaces4To9As00, &kCustomer5Mod10, &kCustomer5CrossMod7});
}

}  // namespace quandor::methods::current
