// The method runner: special routines first, the method table second.
#ifndef QUANDOR_METHODS_RUNNER_H_
#define QUANDOR_METHODS_RUNNER_H_

#include <cstdint>
#include <string_view>

#include "methods/check_context.h"
#include "methods/check_result.h"
#include "methods/method_table.h"

namespace quandor::methods {

// A check routine of either rule set.
using Routine = CheckResult (*)(CheckContext&);

// Checks ctx.digits by the method code ("0", "51", ...) and returns the
// verdict as LastError reports it: qdNoError, qdWrongCheckDigit,
// qdTestingMethodUnknown or qdUnknownError. Never throws.
int32_t RunCheckMethod(CheckContext& ctx, std::string_view code);

// The same by method number, as the bank code file holds it: the verdict is
// the one of the number's decimal text (-1 as "-1"), for every number. The
// numbers 0..99 find their routine or row without any text.
int32_t RunCheckMethod(CheckContext& ctx, int32_t method_number);

// Runs routine, or else the table check from row, and returns the verdict as
// RunCheckMethod does: qdTestingMethodUnknown when both are null. Digits
// other than 0..9 cannot be checked (the routines index tables by digit), nor
// can anything that throws.
int32_t RunCheck(CheckContext& ctx, Routine routine, const TableRow* row = nullptr);

// The original method of a number 0..99 run as a variant of another method,
// on digits 0..9: a number without a routine or row cannot check.
CheckResult OriginalMethod(CheckContext& ctx, int32_t method_number);

// The special routine of a code, the pseudo-code "10000" included (it
// rejects); nullptr for any other code.
Routine SpecialRoutine(std::string_view code);

// The special routine of a method number 0..99; nullptr for a number without one.
Routine SpecialRoutine(int32_t method_number);

// The generic check from a row of the table: the row's switch, its weighted
// check and, on a rejection, its fallback chain. Accepts or rejects with the
// expected check digit of the last row tried; a switch to kAlwaysWrongCode
// rejects without one.
CheckResult CheckByTable(CheckContext& ctx, const TableRow& row);

// The same for the row of one table code, which routines name in their
// source: inline, so that the code is read when compiled. A code without a
// row cannot check.
inline CheckResult CheckByTable(CheckContext& ctx, std::string_view code) {
  const TableRow* row = FindTableRow(code);
  return row != nullptr ? CheckByTable(ctx, *row) : CheckResult::CannotCheck();
}

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_RUNNER_H_
