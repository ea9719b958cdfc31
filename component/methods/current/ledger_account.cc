#include "methods/current/ledger_account.h"

#include "methods/current/variant_chain.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {

int CheckLedgerAccount(CheckContext& ctx) {
  const int first = FirstAccepting(ctx, {&kLedgerWeighing});
  if (!NextVariant(ctx)) return first;
  return CheckByTableRow(ctx, "10");
}

}  // namespace quandor::methods::current
