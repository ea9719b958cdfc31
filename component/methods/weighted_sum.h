// The weighted check of one table row: the computation behind every table method.
#ifndef QUANDOR_METHODS_WEIGHTED_SUM_H_
#define QUANDOR_METHODS_WEIGHTED_SUM_H_

#include <optional>

#include "methods/check_context.h"
#include "methods/method_table.h"
#include "methods/row_notation.h"

namespace quandor::methods {

// Weighs ctx.digits by the row's pattern, reduces the sum by its modulus,
// maps the value through its remainder rule and compares the result with the
// digit under "P". Returns that expected check digit (it may be 10, 11 or -1,
// which no digit equals). Sets ctx.last_error to qdWrongCheckDigit when the
// digits disagree and to qdUnknownError (returning nothing) when the row
// cannot be read or a digit is not 0..9; leaves it alone when they agree.
// Looks at this row only: switches and fallbacks are CheckByTable's.
std::optional<int> CheckWeightedSum(CheckContext& ctx, const MethodRow& row);

// An expected check digit, or none, as it crosses a call; a plain struct,
// because it comes back in a register where a std::optional<int> takes a
// slower way through the stack.
struct ExpectedDigit {
  int value = 0;
  bool known = false;

  std::optional<int> get() const { return known ? std::optional<int>(value) : std::nullopt; }
};

// The same on a row already read.
ExpectedDigit WeighDigits(CheckContext& ctx, const notation::Weighing& row);

inline std::optional<int> CheckWeightedSum(CheckContext& ctx, const notation::Weighing& row) {
  return WeighDigits(ctx, row).get();
}

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_WEIGHTED_SUM_H_
