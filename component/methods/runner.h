// The method runner: special routines first, the method table second.
#ifndef QUANDOR_METHODS_RUNNER_H_
#define QUANDOR_METHODS_RUNNER_H_

#include <cstdint>
#include <optional>
#include <string_view>

#include "methods/check_context.h"
#include "methods/method_table.h"
#include "methods/weighted_sum.h"

namespace quandor::methods {

// Checks ctx.digits by the method code ("0", "51", ...). The verdict is
// ctx.last_error: qdNoError, qdWrongCheckDigit, qdTestingMethodUnknown or
// qdUnknownError. Never throws.
void RunCheckMethod(CheckContext& ctx, std::string_view code);

// The same by method number, as the bank code file holds it: the verdict is
// the one of the number's decimal text (-1 as "-1"), for every number. The
// numbers 0..99 find their routine or row without any text.
void RunCheckMethod(CheckContext& ctx, int32_t method_number);

// Runs the special routine of code, or rejects for the pseudo-code "10000".
// False, with nothing done, for any other code.
bool RunSpecialMethod(CheckContext& ctx, std::string_view code);

// Runs the special routine of a method number 0..99. False, with nothing
// done, for a number without one.
bool RunSpecialMethod(CheckContext& ctx, int32_t method_number);

// The generic check from a row of the table: the row's switch, its weighted
// check and, on a wrong check digit, its fallback chain. Returns the expected
// check digit of the last row tried (it may be 10, 11 or -1), or nothing when
// no row was tried or the check failed. The verdict is ctx.last_error; a null
// row gives qdTestingMethodUnknown.
std::optional<int> CheckByTable(CheckContext& ctx, const TableRow* row);

// The same as an ExpectedDigit (see weighted_sum.h), for callers that pass it on.
ExpectedDigit CheckRowChain(CheckContext& ctx, const TableRow* row);

// The same for the row of one table code. Inline, so that the code that a
// routine names in its source is read when compiled.
inline std::optional<int> CheckByTable(CheckContext& ctx, std::string_view code) {
  return CheckByTable(ctx, FindTableRow(code));
}

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_RUNNER_H_
