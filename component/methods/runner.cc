// The method runner and the generic check of one table code.
#include "methods/runner.h"

#include <charconv>
#include <cstddef>

#include "methods/method_table.h"
#include "methods/weighted_sum.h"
#include "quandor/errors.h"

namespace quandor::methods {

ExpectedDigit CheckRowChain(CheckContext& ctx, const TableRow* row) {
  if (row == nullptr) {
    ctx.last_error = qdTestingMethodUnknown;
    return {};
  }
  // The table is checked when compiled to have no loops, so this ends.
  for (;;) {
    // A row reached by a switch is used as it is: its own switch is not asked.
    if (row->has_switch && row->switch_rule.Holds(ctx.digits)) {
      if (row->switch_target == TableRow::kAlwaysWrong) {
        ctx.last_error = qdWrongCheckDigit;
        return {};
      }
      row = &TableRowAt(row->switch_target);
    }
    const ExpectedDigit expected = WeighDigits(ctx, row->weighing);
    // Only a wrong check digit leads on; a failure ends the chain.
    if (ctx.last_error != qdWrongCheckDigit || row->fallback == TableRow::kNone) return expected;
    ctx.last_error = qdNoError;
    row = &TableRowAt(row->fallback);
  }
}

std::optional<int> CheckByTable(CheckContext& ctx, const TableRow* row) {
  return CheckRowChain(ctx, row).get();
}

namespace {

// Runs check on digits 0..9 only, and turns every failure into a verdict.
template <class Check>
void RunGuarded(CheckContext& ctx, Check check) {
  try {
    if (!AllDecimal(ctx.digits)) {
      ctx.last_error = qdUnknownError;
      return;
    }
    check();
  } catch (...) {
    ctx.last_error = qdUnknownError;
  }
}

}  // namespace

void RunCheckMethod(CheckContext& ctx, std::string_view code) {
  // Special routines are consulted first: codes 8, 41 and 63 have both a
  // routine and a row, and the routine decides.
  RunGuarded(ctx, [&] {
    if (RunSpecialMethod(ctx, code)) return;
    CheckByTable(ctx, code);  // a code without a row gives qdTestingMethodUnknown
  });
}

void RunCheckMethod(CheckContext& ctx, int32_t method_number) {
  if (method_number < 0 || method_number > 99) {
    // Variant codes and the pseudo-code "10000" are numbers too: the text
    // decides for them, as rare as they are in a bank code file.
    char text[16];
    const auto written = std::to_chars(text, text + sizeof text, method_number);
    RunCheckMethod(ctx, std::string_view(text, static_cast<std::size_t>(written.ptr - text)));
    return;
  }
  RunGuarded(ctx, [&] {
    if (RunSpecialMethod(ctx, method_number)) return;
    CheckRowChain(ctx, FindMethodRow(method_number));
  });
}

}  // namespace quandor::methods
