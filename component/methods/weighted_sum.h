// The weighted check of one table row: the computation behind every table method.
#ifndef QUANDOR_METHODS_WEIGHTED_SUM_H_
#define QUANDOR_METHODS_WEIGHTED_SUM_H_

#include "methods/check_context.h"
#include "methods/check_result.h"
#include "methods/method_table.h"
#include "methods/row_notation.h"

namespace quandor::methods {

// Weighs ctx.digits by the row's pattern, reduces the sum by its modulus,
// maps the value through its remainder rule and compares the result with the
// digit under "P". Accepts or rejects with that expected check digit (it may
// be 10, 11 or -1, which no digit equals); cannot check when a digit is not
// 0..9 or the row has an entry that does not read. Looks at this row only:
// switches and fallbacks are CheckByTable's.
CheckResult CheckWeightedSum(CheckContext& ctx, const notation::Weighing& row);

// The same on a row in the table's notation; a row that does not read cannot check.
CheckResult CheckWeightedSum(CheckContext& ctx, const MethodRow& row);

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_WEIGHTED_SUM_H_
