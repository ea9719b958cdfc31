// What the special routines share when they hand a check over to a table row.
#ifndef QUANDOR_METHODS_TABLE_HANDOVER_H_
#define QUANDOR_METHODS_TABLE_HANDOVER_H_

#include <string_view>

#include "methods/check_context.h"
#include "methods/runner.h"
#include "quandor/errors.h"

namespace quandor::methods {

// Checks ctx by the table row of code (its switch, rule and fallback apply)
// and returns what a special routine returns: the expected check digit when
// the row accepted, -1 when it rejected or failed.
inline int CheckByTableRow(CheckContext& ctx, std::string_view code) {
  const auto expected = CheckByTable(ctx, code);
  return expected && ctx.last_error == qdNoError ? *expected : -1;
}

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_TABLE_HANDOVER_H_
