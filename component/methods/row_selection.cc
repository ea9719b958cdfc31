// Methods that choose a table row by a digit, the length or a range.
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {

int CheckMethod56(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod59(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod61(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod63(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod65(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod75(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod78(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod79(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod89(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

int CheckMethod95(CheckContext& ctx) {
  ctx.last_error = qdTestingMethodUnknown;  // TODO: not built yet
  return -1;
}

}  // namespace quandor::methods
