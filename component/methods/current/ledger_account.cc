#include "methods/current/ledger_account.h"

#include "methods/current/variant_chain.h"

namespace quandor::methods::current {

CheckResult CheckLedgerAccount(CheckContext& ctx) {
  return FirstAccepting(ctx, {Weighed(kLedgerWeighing), ByRow("10")});
}

}  // namespace quandor::methods::current
