// Ledger accounts ("Sachkonten"): the rule that method 51 gives today and
// methods 73, 80, 81, 84, 86 and 87 refer to. A 9 in the third place marks a
// ledger account; its number stands in places 3 to 9.
#ifndef QUANDOR_METHODS_CURRENT_LEDGER_ACCOUNT_H_
#define QUANDOR_METHODS_CURRENT_LEDGER_ACCOUNT_H_

#include "methods/check_context.h"
#include "methods/current/current_support.h"

namespace quandor::methods::current {

// Places 3 to 9 weighed 8 down to 2; a value of 10 or 11 gives check digit 0.
inline constexpr auto kLedgerWeighing = Weighing("XX8765432P", kPlain, 11, "11,0;10,0");

inline bool IsLedgerAccount(const CheckContext& ctx) { return ctx.digits[2] == 9; }

// The ledger weighing, then the whole number weighed as by method 10.
CheckResult CheckLedgerAccount(CheckContext& ctx);

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_LEDGER_ACCOUNT_H_
