// Methods that guard a table row with a precondition, a digit rewrite or an extra rule.
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {

int CheckMethod08(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod09(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod25(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod41(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod45(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

}  // namespace quandor::methods
