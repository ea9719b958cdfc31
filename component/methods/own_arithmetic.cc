// Methods 76, 77 and 97: arithmetic of their own.
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {

int CheckMethod76(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod77(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod97(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

}  // namespace quandor::methods
