// The iterated transformation and methods 27 and 29.
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {

int TransformationCheckDigit(CheckContext& ctx) {
  ctx.last_error = qdUnknownError;  // TODO: not built yet
  return 0;
}

int CheckMethod27(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod29(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

}  // namespace quandor::methods
