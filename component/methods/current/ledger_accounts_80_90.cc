// Today's methods that tell ledger accounts ("Sachkonten") from customer
// accounts by the third digit (or the third and fourth) and check each kind
// its own way. The customer side is mostly an original chain of rows, whose
// switches for ledger accounts never fire here because the ledger accounts
// are taken out first.
#include <string_view>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/ledger_account.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {
namespace {

// Ledger accounts of method 83: the third and the fourth digit are both 9.
bool IsLedgerAccount83(const CheckContext& ctx) { return ctx.digits[2] == 9 && ctx.digits[3] == 9; }

// The original chain of customer variants, and today's ledger rule in front.
CheckResult CustomerRowsOrLedgerRule(CheckContext& ctx, std::string_view customer_row) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  return CheckByTable(ctx, customer_row);
}

// Method 84's third variant: the weights of method 00 over places 5 to 9,
// but the products summed as they are.
constexpr auto kWeighing84C = Weighing("XXXX21212P", kPlain, 10, "10,0");

// Method 90's last customer variant: weights 1 and 2 over places 4 to 9, modulus 7.
constexpr auto kWeighing90G = Weighing("XXX121212P", kPlain, 7, "7,0");

}  // namespace

CheckResult Method80(CheckContext& ctx) { return CustomerRowsOrLedgerRule(ctx, "80"); }

CheckResult Method81(CheckContext& ctx) { return CustomerRowsOrLedgerRule(ctx, "81"); }

CheckResult Method83(CheckContext& ctx) {
  // A ledger account that the ledger weighing rejects is wrong: no customer
  // variant is tried.
  if (IsLedgerAccount83(ctx)) return FirstAccepting(ctx, {&kLedgerWeighing});
  return CheckByTable(ctx, "83");
}

CheckResult Method84(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  // Row "84" holds variants A and B.
  return FirstAccepting(ctx, {ByRow("84"), Weighed(kWeighing84C)});
}

CheckResult Method86(CheckContext& ctx) { return CustomerRowsOrLedgerRule(ctx, "86"); }

CheckResult Method87(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  // The original method holds variants A to C; row "32" is variant D, method
  // 06 over places 4 to 9.
  return FirstAccepting(ctx, {ByRoutine(CheckMethod87), ByRow("32")});
}

CheckResult Method90(CheckContext& ctx) {
  // Ledger accounts have the one variant F.
  if (IsLedgerAccount(ctx)) return FirstAccepting(ctx, {&kLedgerWeighing});
  // Row "90" holds variants A to E.
  return FirstAccepting(ctx, {ByRow("90"), Weighed(kWeighing90G)});
}

}  // namespace quandor::methods::current
