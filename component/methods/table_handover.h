// Table rows tried in turn, as routines of both sets hand a number over to them.
#ifndef QUANDOR_METHODS_TABLE_HANDOVER_H_
#define QUANDOR_METHODS_TABLE_HANDOVER_H_

#include <initializer_list>
#include <span>
#include <string_view>

#include "methods/check_context.h"
#include "methods/runner.h"
#include "methods/special_support.h"

namespace quandor::methods {

// The table rows of codes tried in turn (FirstAccepting).
inline CheckResult FirstAccepting(CheckContext& ctx,
                                  std::initializer_list<std::string_view> codes) {
  return FirstAccepting(
      ctx, std::span(codes.begin(), codes.size()),
      [](CheckContext& c, std::string_view code) { return CheckByTable(c, code); });
}

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_TABLE_HANDOVER_H_
