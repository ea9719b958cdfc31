// What the special routines share when they hand a check over to a table row.
#ifndef QUANDOR_METHODS_TABLE_HANDOVER_H_
#define QUANDOR_METHODS_TABLE_HANDOVER_H_

#include <initializer_list>
#include <span>
#include <string_view>

#include "methods/check_context.h"
#include "methods/runner.h"
#include "methods/special_support.h"
#include "quandor/errors.h"

namespace quandor::methods {

// Checks ctx by the table row of code (its switch, rule and fallback apply)
// and returns what a special routine returns: the expected check digit when
// the row accepted, -1 when it rejected or failed.
inline int CheckByTableRow(CheckContext& ctx, std::string_view code) {
  return AcceptedDigit(ctx, CheckByTable(ctx, code));
}

// The table rows of codes tried in turn (FirstAccepting).
inline int FirstAccepting(CheckContext& ctx, std::initializer_list<std::string_view> codes) {
  return FirstAccepting(ctx, std::span(codes.begin(), codes.size()), CheckByTableRow);
}

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_TABLE_HANDOVER_H_
