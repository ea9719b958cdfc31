// Methods with weighted sums of their own: 17, 21 and 22.
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {

int CheckMethod17(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod21(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod22(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

}  // namespace quandor::methods
