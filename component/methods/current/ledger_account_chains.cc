// Methods 51 and 73: chains of weighings over the customer number, tried in
// turn until one accepts, and the ledger accounts (a 9 in third place) that
// both check by one chain of their own.
#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/ledger_account.h"

namespace quandor::methods::current {
namespace {

// The customer number in places 4 to 9, then only places 5 to 9.
constexpr auto kCustomer6Mod11 = Weighing("XXX765432P", kPlain, 11, "11,0;10,0");
constexpr auto kCustomer5Mod11 = Weighing("XXXX65432P", kPlain, 11, "11,0;10,0");
constexpr auto kCustomer6Mod10 = Weighing("XXX121212P", kCrossSum, 10, "10,0");
constexpr auto kCustomer5Mod10 = Weighing("XXXX21212P", kCrossSum, 10, "10,0");
constexpr auto kCustomer5Mod7 = Weighing("XXXX65432P", kPlain, 7, "7,0");
constexpr auto kCustomer5CrossMod7 = Weighing("XXXX21212P", kCrossSum, 7, "7,0");

// Method 51's last weighing cannot give these check digits: a number that
// reaches it with one of them is wrong.
constexpr int kFirstDigitBeyondModulus7 = 7;

}  // namespace

int Method51(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  if (ctx.digits[kLastIndex] >= kFirstDigitBeyondModulus7) {
    return FirstAccepting(ctx, {&kCustomer6Mod11, &kCustomer5Mod11, &kCustomer6Mod10});
  }
  return FirstAccepting(ctx,
                        {&kCustomer6Mod11, &kCustomer5Mod11, &kCustomer6Mod10, &kCustomer5Mod7});
}

int Method73(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  return FirstAccepting(ctx, {&kCustomer6Mod10, &kCustomer5Mod10, &kCustomer5CrossMod7});
}

}  // namespace quandor::methods::current
