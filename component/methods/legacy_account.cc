// Methods 52 and 53: the legacy account number.
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {

int CheckLegacyAccountNumber(CheckContext& ctx, bool) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod52(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod53(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

}  // namespace quandor::methods
