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
int CustomerRowsOrLedgerRule(CheckContext& ctx, std::string_view customer_row) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  return CheckByTableRow(ctx, customer_row);
}

// Method 84's third variant: the weights of method 00 over places 5 to 9,
// but the products summed as they are.
constexpr auto kWeighing84C = Weighing("XXXX21212P", kPlain, 10, "10,0");

// Method 90's last customer variant: weights 1 and 2 over places 4 to 9, modulus 7.
constexpr auto kWeighing90G = Weighing("XXX121212P", kPlain, 7, "7,0");

}  // namespace

int Method80(CheckContext& ctx) { return CustomerRowsOrLedgerRule(ctx, "80"); }

int Method81(CheckContext& ctx) { return CustomerRowsOrLedgerRule(ctx, "81"); }

int Method83(CheckContext& ctx) {
  // A ledger account that the ledger weighing rejects is wrong: no customer
  // variant is tried.
  if (IsLedgerAccount83(ctx)) return FirstAccepting(ctx, {&kLedgerWeighing});
  return CheckByTableRow(ctx, "83");
}

int Method84(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  const int first = CheckByTableRow(ctx, "84");  // variants A and B
  if (!NextVariant(ctx)) return first;
  return FirstAccepting(ctx, {&kWeighing84C});
}

int Method86(CheckContext& ctx) { return CustomerRowsOrLedgerRule(ctx, "86"); }

int Method87(CheckContext& ctx) {
  if (IsLedgerAccount(ctx)) return CheckLedgerAccount(ctx);
  const int first = CheckMethod87(ctx);  // variants A to C
  if (!NextVariant(ctx)) return first;
  return CheckByTableRow(ctx, "32");  // variant D: method 06 over places 4 to 9
}

int Method90(CheckContext& ctx) {
  // Ledger accounts have the one variant F.
  if (IsLedgerAccount(ctx)) return FirstAccepting(ctx, {&kLedgerWeighing});
  const int first = CheckByTableRow(ctx, "90");  // variants A to E
  if (!NextVariant(ctx)) return first;
  return FirstAccepting(ctx, {&kWeighing90G});
}

}  // namespace quandor::methods::current
