// The routines of today's methods that differ from the original ones, named
// by the Bundesbank's code. Each reports only through ctx.last_error, as the
// special methods do (special_methods.h): left alone to accept,
// qdWrongCheckDigit to reject, qdUnknownError on a failure; the returned
// value is the computed check digit, or -1 when the routine rejected.
#ifndef QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_
#define QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_

#include "methods/check_context.h"

namespace quandor::methods::current {

// 00 to 49

// 50 to 79

// 80 to 99

// A0 to B9
int MethodA0(CheckContext& ctx);
int MethodA1(CheckContext& ctx);
int MethodA2(CheckContext& ctx);
int MethodA3(CheckContext& ctx);
int MethodA4(CheckContext& ctx);
int MethodA5(CheckContext& ctx);
int MethodA6(CheckContext& ctx);
int MethodA7(CheckContext& ctx);
int MethodA8(CheckContext& ctx);
int MethodA9(CheckContext& ctx);
int MethodB0(CheckContext& ctx);
int MethodB1(CheckContext& ctx);
int MethodB2(CheckContext& ctx);
int MethodB3(CheckContext& ctx);
int MethodB4(CheckContext& ctx);
int MethodB5(CheckContext& ctx);
int MethodB6(CheckContext& ctx);
int MethodB7(CheckContext& ctx);
int MethodB8(CheckContext& ctx);
int MethodB9(CheckContext& ctx);

// C0 to E4

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_
