// The check methods that the method table cannot express. Each reports only
// through ctx.last_error (qdNoError on entry: left alone to accept,
// qdWrongCheckDigit to reject, qdUnknownError on a failure) and never throws.
// The returned value is the computed check digit, or -1 when the routine
// rejected; the dispatcher drops it.
#ifndef QUANDOR_METHODS_SPECIAL_METHODS_H_
#define QUANDOR_METHODS_SPECIAL_METHODS_H_

#include "methods/check_context.h"

namespace quandor::methods {

// Guards around table rows.
int CheckMethod08(CheckContext& ctx);
int CheckMethod09(CheckContext& ctx);
int CheckMethod25(CheckContext& ctx);
int CheckMethod41(CheckContext& ctx);
int CheckMethod45(CheckContext& ctx);

// Weighted sums of their own.
int CheckMethod17(CheckContext& ctx);
int CheckMethod21(CheckContext& ctx);
int CheckMethod22(CheckContext& ctx);

// Weights from the first significant digit.
int CheckMethod24(CheckContext& ctx);

// The iterated transformation.
int TransformationCheckDigit(CheckContext& ctx);
int CheckMethod27(CheckContext& ctx);
int CheckMethod29(CheckContext& ctx);

// Method 87: stage A, then rows "33" and "8703".
int CheckMethod87(CheckContext& ctx);
int CheckMethod87A(CheckContext& ctx, AccountDigits digits);

// The legacy account number rebuilt from bank code and account digits.
int CheckMethod52(CheckContext& ctx);
int CheckMethod53(CheckContext& ctx);
int CheckLegacyAccountNumber(CheckContext& ctx, bool bMethod53);

// Arithmetic of their own.
int CheckMethod76(CheckContext& ctx);
int CheckMethod77(CheckContext& ctx);
int CheckMethod97(CheckContext& ctx);

// Chains of table rows with final rules of their own.
int CheckMethod68(CheckContext& ctx);
int CheckMethod69(CheckContext& ctx);
int CheckMethod74(CheckContext& ctx);
int CheckMethod96(CheckContext& ctx);

// A table row chosen by a digit, the length or a range.
int CheckMethod56(CheckContext& ctx);
int CheckMethod59(CheckContext& ctx);
int CheckMethod61(CheckContext& ctx);
int CheckMethod63(CheckContext& ctx);
int CheckMethod65(CheckContext& ctx);
int CheckMethod75(CheckContext& ctx);
int CheckMethod78(CheckContext& ctx);
int CheckMethod79(CheckContext& ctx);
int CheckMethod89(CheckContext& ctx);
int CheckMethod95(CheckContext& ctx);

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_SPECIAL_METHODS_H_
