// The method runner and the generic check of one table code.
#include "methods/runner.h"

#include <charconv>
#include <cstddef>

#include "methods/method_table.h"
#include "methods/weighted_sum.h"
#include "quandor/errors.h"

namespace quandor::methods {

CheckResult CheckByTable(CheckContext& ctx, const TableRow& first) {
  const TableRow* row = &first;
  // The table is checked when compiled to have no loops, so this ends.
  for (;;) {
    // A row reached by a switch is used as it is: its own switch is not asked.
    if (row->has_switch && row->switch_rule.Holds(ctx.digits)) {
      if (row->switch_target == TableRow::kAlwaysWrong) return CheckResult::Rejected();
      row = &TableRowAt(row->switch_target);
    }
    const CheckResult result = CheckWeightedSum(ctx, row->weighing);
    // Only a rejection leads on; a failure ends the chain.
    if (!result.rejected() || row->fallback == TableRow::kNone) return result;
    row = &TableRowAt(row->fallback);
  }
}

int32_t RunCheck(CheckContext& ctx, Routine routine, const TableRow* row) {
  try {
    if (!AllDecimal(ctx.digits)) return CheckResult::CannotCheck().error();
    if (routine != nullptr) return routine(ctx).error();
    if (row != nullptr) return CheckByTable(ctx, *row).error();
    return qdTestingMethodUnknown;
  } catch (...) {
    return CheckResult::CannotCheck().error();
  }
}

int32_t RunCheckMethod(CheckContext& ctx, std::string_view code) {
  // Special routines are consulted first: codes 8, 41 and 63 have both a
  // routine and a row, and the routine decides.
  const Routine routine = SpecialRoutine(code);
  return RunCheck(ctx, routine, routine != nullptr ? nullptr : FindTableRow(code));
}

int32_t RunCheckMethod(CheckContext& ctx, int32_t method_number) {
  if (method_number < 0 || method_number > 99) {
    // Variant codes and the pseudo-code "10000" are numbers too: the text
    // decides for them, as rare as they are in a bank code file.
    char text[16];
    const auto written = std::to_chars(text, text + sizeof text, method_number);
    return RunCheckMethod(ctx,
                          std::string_view(text, static_cast<std::size_t>(written.ptr - text)));
  }
  const Routine routine = SpecialRoutine(method_number);
  return RunCheck(ctx, routine, routine != nullptr ? nullptr : FindMethodRow(method_number));
}

CheckResult OriginalMethod(CheckContext& ctx, int32_t method_number) {
  if (const Routine routine = SpecialRoutine(method_number)) return routine(ctx);
  const TableRow* row = FindMethodRow(method_number);
  return row != nullptr ? CheckByTable(ctx, *row) : CheckResult::CannotCheck();
}

}  // namespace quandor::methods
