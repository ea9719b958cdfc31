// The method runner and the generic check of one table code.
#include "methods/runner.h"

#include "quandor/errors.h"

namespace quandor::methods {

// TODO: not built yet.
void RunCheckMethod(CheckContext& ctx, std::string_view code) {
  if (RunSpecialMethod(ctx, code)) return;
  ctx.last_error = qdTestingMethodUnknown;
}

std::optional<int> CheckByTable(CheckContext& ctx, std::string_view) {
  ctx.last_error = qdTestingMethodUnknown;
  return std::nullopt;
}

}  // namespace quandor::methods
