// Today's check methods: the Deutsche Bundesbank's set, 00 to 99 and A0 to E4,
// chosen by Rules(qdRulesCurrent). The original set (runner.h) stays the
// default and is not changed by anything here.
#ifndef QUANDOR_METHODS_CURRENT_METHOD_SET_H_
#define QUANDOR_METHODS_CURRENT_METHOD_SET_H_

#include <cstdint>
#include <string_view>

#include "methods/check_context.h"
#include "methods/check_result.h"

namespace quandor::methods {

// Method numbers as the bank code file holds them: 0 to 99, and 100 + 10 x
// (letter - 'A') + digit for the letter codes A0 to E9.
inline constexpr int kMethodNumberCount = 150;

// Checks ctx.digits by today's method with this number and returns the
// verdict as LastError reports it: qdNoError, qdWrongCheckDigit,
// qdTestingMethodUnknown (a number that is no method today, unassigned codes
// included) or qdUnknownError. Never throws.
int32_t RunCurrentMethod(CheckContext& ctx, int32_t method_number);

// Today's method of a number run as a variant of another method, on digits
// 0..9: a number that is no method today cannot check.
CheckResult CurrentMethod(CheckContext& ctx, int32_t method_number);

// The Bundesbank's code of a method number ("06", "A4"), or "" outside 0..149.
std::string_view CurrentMethodCode(int32_t method_number);

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_CURRENT_METHOD_SET_H_
