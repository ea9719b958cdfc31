// Method 87: stage A, then rows "33" and "8703".
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {

int CheckMethod87A(CheckContext& ctx, AccountDigits) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod87(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

}  // namespace quandor::methods
