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
int Method08(CheckContext& ctx);  // method 00 from account number 60 000 on
int Method25(CheckContext& ctx);  // remainder 1 needs check digit 0
int Method26(CheckContext& ctx);  // check digit in position 8, short numbers shifted
int Method35(CheckContext& ctx);  // the remainder itself is the check digit
int Method45(CheckContext& ctx);  // no check digit also for numbers beginning 48

// 50 to 79

// 80 to 99

// A0 to B9

// C0 to E4

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_
