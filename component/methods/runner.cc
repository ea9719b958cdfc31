// The method runner and the generic check of one table code.
#include "methods/runner.h"

#include "methods/method_table.h"
#include "methods/weighted_sum.h"
#include "quandor/errors.h"

namespace quandor::methods {

void RunCheckMethod(CheckContext& ctx, std::string_view code) {
  // Special routines are consulted first: codes 8, 41 and 63 have both a
  // routine and a row, and the routine decides.
  try {
    // Every routine below indexes tables by digit: anything but 0..9 would be
    // read out of bounds. The input checks never build such digits.
    for (int digit : ctx.digits) {
      if (digit < 0 || digit > 9) {
        ctx.last_error = qdUnknownError;
        return;
      }
    }
    if (RunSpecialMethod(ctx, code)) return;
    CheckByTable(ctx, code);  // a code without a row gives qdTestingMethodUnknown
  } catch (...) {
    ctx.last_error = qdUnknownError;
  }
}

std::optional<int> CheckByTable(CheckContext& ctx, std::string_view code) {
  const TableRow* row = FindTableRow(code);
  if (row == nullptr) {
    ctx.last_error = qdTestingMethodUnknown;
    return std::nullopt;
  }
  // The table is checked when compiled to have no loops, so this ends.
  for (;;) {
    // A row reached by a switch is used as it is: its own switch is not asked.
    if (row->has_switch && row->switch_rule.Holds(ctx.digits)) {
      if (row->switch_target == TableRow::kAlwaysWrong) {
        ctx.last_error = qdWrongCheckDigit;
        return std::nullopt;
      }
      row = &TableRowAt(row->switch_target);
    }
    const auto expected = CheckWeightedSum(ctx, row->weighing);
    // Only a wrong check digit leads on; a failure ends the chain.
    if (ctx.last_error != qdWrongCheckDigit || row->fallback == TableRow::kNone) return expected;
    ctx.last_error = qdNoError;
    row = &TableRowAt(row->fallback);
  }
}

}  // namespace quandor::methods
