// The check methods that the method table cannot express. Each answers with
// a CheckResult and never throws.
#ifndef QUANDOR_METHODS_SPECIAL_METHODS_H_
#define QUANDOR_METHODS_SPECIAL_METHODS_H_

#include <optional>

#include "methods/check_context.h"
#include "methods/check_result.h"

namespace quandor::methods {

// Guards around table rows.
CheckResult CheckMethod08(CheckContext& ctx);
CheckResult CheckMethod09(CheckContext& ctx);
CheckResult CheckMethod25(CheckContext& ctx);
CheckResult CheckMethod41(CheckContext& ctx);
CheckResult CheckMethod45(CheckContext& ctx);

// Weighted sums of their own.
CheckResult CheckMethod17(CheckContext& ctx);
CheckResult CheckMethod21(CheckContext& ctx);
CheckResult CheckMethod22(CheckContext& ctx);

// Weights from the first significant digit.
CheckResult CheckMethod24(CheckContext& ctx);

// The iterated transformation.
// The check digit of the first nine digits; nothing for a digit outside 0..9.
std::optional<int> TransformationCheckDigit(const CheckContext& ctx);
CheckResult CheckMethod27(CheckContext& ctx);
CheckResult CheckMethod29(CheckContext& ctx);

// Method 87: stage A, then rows "33" and "8703".
CheckResult CheckMethod87(CheckContext& ctx);
CheckResult CheckMethod87A(const AccountDigits& digits);

// The legacy account number rebuilt from bank code and account digits.
CheckResult CheckMethod52(CheckContext& ctx);
CheckResult CheckMethod53(CheckContext& ctx);
CheckResult CheckLegacyAccountNumber(CheckContext& ctx, bool bMethod53);

// Arithmetic of their own.
CheckResult CheckMethod76(CheckContext& ctx);
CheckResult CheckMethod77(CheckContext& ctx);
CheckResult CheckMethod97(CheckContext& ctx);

// Chains of table rows with final rules of their own.
CheckResult CheckMethod68(CheckContext& ctx);
CheckResult CheckMethod69(CheckContext& ctx);
CheckResult CheckMethod74(CheckContext& ctx);
CheckResult CheckMethod96(CheckContext& ctx);

// A table row chosen by a digit, the length or a range.
CheckResult CheckMethod56(CheckContext& ctx);
CheckResult CheckMethod59(CheckContext& ctx);
CheckResult CheckMethod61(CheckContext& ctx);
CheckResult CheckMethod63(CheckContext& ctx);
CheckResult CheckMethod65(CheckContext& ctx);
CheckResult CheckMethod75(CheckContext& ctx);
CheckResult CheckMethod78(CheckContext& ctx);
CheckResult CheckMethod79(CheckContext& ctx);
CheckResult CheckMethod89(CheckContext& ctx);
CheckResult CheckMethod95(CheckContext& ctx);

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_SPECIAL_METHODS_H_
