// The method table: every check method, and every variant of one, that the
// generic weighted check computes. Constant data compiled into the component.
#ifndef QUANDOR_METHODS_METHOD_TABLE_H_
#define QUANDOR_METHODS_METHOD_TABLE_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "methods/row_notation.h"

namespace quandor::methods {

// One row of the table, its seven fields in their order. The texts are the
// table's own notation: see row_notation.h.
struct MethodRow {
  std::string_view Code;      // "0", "51", or a variant code such as "1302"
  std::string_view Pattern;   // ten weights over the account digits, e.g. "XXX765432P"
  bool UseCrossSum;           // each product enters the sum as its cross sum
  int Modulus;                // 10, 11, 7, 9, or 1 (row "54" only)
  std::string_view Rule;      // remainder rule "value,replacement;..."; may be empty
  std::string_view Fallback;  // code tried next after a wrong check digit; may be empty
  std::string_view Switch;    // "conditions/target"; may be empty
};

// The row whose Code is exactly code ("05", " 5" and "" find nothing). The
// row is a copy of its own: changing it leaves the table as it is.
std::optional<MethodRow> GetMethodRow(std::string_view code);

// Every row, in the table's order.
std::span<const MethodRow> AllMethodRows();

// The pseudo-code of a verdict of wrong check digit; it has no row.
inline constexpr std::string_view kAlwaysWrongCode = "10000";

// A table row as the generic check runs it: its texts read, its fallback and
// switch target resolved to positions of other rows in the table.
struct TableRow {
  static constexpr int kNone = -1;         // no fallback
  static constexpr int kAlwaysWrong = -2;  // switch target kAlwaysWrongCode

  notation::Weighing weighing;
  bool has_switch = false;
  notation::SwitchRule switch_rule;
  int switch_target = kNone;
  int fallback = kNone;
};

// Rows are found through a slot per method number and variant: the codes the
// table holds have variants 02 to 09 only.
inline constexpr int kVariantsPerMethod = 10;

// The slot of a code, or -1 for a code that no row can have. Inline, so that
// a code written in the source is read when compiled.
constexpr int SlotOfCode(std::string_view code) {
  const auto parts = notation::ReadMethodCode(code);
  if (!parts ||
      (parts->is_variant && (parts->variant == 0 || parts->variant >= kVariantsPerMethod))) {
    return -1;
  }
  return parts->method * kVariantsPerMethod + parts->variant;
}

// The read form of the row in a slot, or nullptr (slot -1 included).
const TableRow* TableRowInSlot(int slot);

// The read form of the row whose Code is exactly code, or nullptr.
inline const TableRow* FindTableRow(std::string_view code) {
  return TableRowInSlot(SlotOfCode(code));
}

// The same for the code of a method number 0..99 (not a variant), for callers
// that hold the number: no text to read. nullptr for a number without a row,
// and for any number outside 0..99.
inline const TableRow* FindMethodRow(int32_t method_number) {
  return method_number >= 0 && method_number < 100
             ? TableRowInSlot(method_number * kVariantsPerMethod)
             : nullptr;
}

// The read form of the row at a position that a TableRow names.
const TableRow& TableRowAt(int position);

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_METHOD_TABLE_H_
