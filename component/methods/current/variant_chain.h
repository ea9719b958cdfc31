// Chains of variants that mix original table rows and routines with today's
// weighings: each variant reports through ctx.last_error, and only a wrong
// check digit hands the number on to the next one.
#ifndef QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_
#define QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_

#include "methods/check_context.h"
#include "quandor/errors.h"

namespace quandor::methods::current {

// After a variant has given its verdict: true, with the rejection wiped, when
// it rejected and the next variant may try; false when it accepted or failed,
// which is then the verdict of the chain.
inline bool NextVariant(CheckContext& ctx) {
  if (ctx.last_error != qdWrongCheckDigit) return false;
  ctx.last_error = qdNoError;
  return true;
}

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_
