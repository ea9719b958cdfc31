// The method table, kept in its own notation and read when the component is
// compiled: a malformed text, an unknown fallback or switch target, or a chain
// of rows that loops stops the build instead of failing a check at run time.
#include "methods/method_table.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quandor::methods {
namespace {

constexpr bool kYes = true;  // products enter the sum as their cross sums
constexpr bool kNo = false;

// Code, Pattern, UseCrossSum, Modulus, Rule, Fallback, Switch ("" for none).
constexpr auto kMethodTable = std::to_array<MethodRow>({
    {"0", "212121212P", kYes, 10, "10,0", "", ""},
    {"1", "173173173P", kNo, 10, "10,0", "", ""},
    {"2", "298765432P", kNo, 11, "11,0", "", ""},
    {"3", "212121212P", kNo, 10, "10,0", "", ""},
    {"4", "432765432P", kNo, 11, "11,0", "", ""},
    {"5", "137137137P", kNo, 10, "10,0", "", ""},
    {"6", "432765432P", kNo, 11, "11,0;10,0", "", ""},
    {"7", "A98765432P", kNo, 11, "11,0", "", ""},
    {"8", "212121212P", kYes, 10, "10,0", "", ""},
    {"10", "A98765432P", kNo, 11, "11,0;10,0", "", ""},
    {"11", "A98765432P", kNo, 11, "11,0;10,9", "", ""},
    {"12", "731731731P", kNo, 10, "10,0", "", ""},
    {"13", "X121212PXX", kYes, 10, "10,0", "1302", ""},
    {"1302", "XXX121212P", kYes, 10, "10,0", "", ""},
    {"14", "XXX765432P", kNo, 11, "11,0", "", ""},
    {"15", "XXXXX5432P", kNo, 11, "11,0;10,0", "", ""},
    {"16", "432765432P", kNo, 11, "11,0;10,SK=8", "", ""},
    {"18", "317931793P", kNo, 10, "10,0", "", ""},
    {"19", "198765432P", kNo, 11, "11,0;10,0", "", ""},
    {"20", "398765432P", kNo, 11, "11,0;10,0", "", ""},
    {"23", "765432PXXX", kNo, 11, "11,0;10,SK=5", "", ""},
    {"2502", "X98765432P", kNo, 11, "11,0", "", ""},
    {"28", "8765432PXX", kNo, 11, "11,0;10,0", "", ""},
    {"30", "200001212P", kNo, 10, "10,0", "", ""},
    {"32", "XXX765432P", kNo, 11, "11,0;10,0", "", ""},
    {"33", "XXXX65432P", kNo, 11, "11,0;10,0", "", ""},
    {"34", "79A5842PXX", kNo, 11, "11,0;10,0", "", ""},
    {"36", "XXXXX5842P", kNo, 11, "11,0;10,0", "", ""},
    {"37", "XXXXA5842P", kNo, 11, "11,0;10,0", "", ""},
    {"38", "XXX9A5842P", kNo, 11, "11,0;10,0", "", ""},
    {"39", "XX79A5842P", kNo, 11, "11,0;10,0", "", ""},
    {"40", "6379A5842P", kNo, 11, "11,0;10,0", "", ""},
    {"41", "212121212P", kYes, 10, "10,0", "", "3,9/4102"},
    {"4102", "XXX121212P", kYes, 10, "10,0", "", ""},
    {"42", "X98765432P", kNo, 11, "11,0;10,0", "", ""},
    {"43", "987654321P", kNo, 10, "10,0", "", ""},
    {"44", "0000A5842P", kNo, 11, "11,0;10,0", "", ""},
    {"46", "XX65432PXX", kNo, 11, "11,0;10,0", "", ""},
    {"47", "XXX65432PX", kNo, 11, "11,0;10,0", "", ""},
    {"48", "XX765432PX", kNo, 11, "11,0;10,0", "", ""},
    {"49", "212121212P", kYes, 10, "10,0", "4902", ""},
    {"4902", "173173173P", kNo, 10, "10,0", "", ""},
    {"50", "765432PXXX", kNo, 11, "11,0;10,0", "5002", ""},
    {"5002", "XXX765432P", kNo, 11, "11,0;10,0", "", ""},
    {"51", "XXX765432P", kNo, 11, "11,0;10,0", "5102", "2,9u3,9/10"},
    {"5102", "XXXX65432P", kNo, 11, "11,0;10,0", "5103", ""},
    {"5103", "XXXX65432P", kNo, 7, "7,0", "", ""},
    {"54", "XXXXXXXX0P", kNo, 1, "1,-1", "", "0,4u1,9/5402"},
    {"5402", "XX2765432P", kNo, 11, "", "", ""},
    {"55", "878765432P", kNo, 11, "11,0;10,0", "", ""},
    {"5602", "432765432P", kNo, 11, "11,-1;10,-1", "", ""},
    {"5603", "432765432P", kNo, 11, "11,8;10,7", "", ""},
    {"57", "A98765432P", kYes, 11, "11,0;10,0", "", ""},
    {"58", "XXXX65432P", kNo, 11, "11,0", "", ""},
    {"60", "XX2121212P", kYes, 10, "10,0", "", ""},
    {"6102", "2121212PXX", kYes, 10, "10,0", "", ""},
    {"6103", "2121212P12", kYes, 10, "10,0", "", ""},
    {"62", "XX21212PXX", kYes, 10, "10,0", "", ""},
    {"63", "X121212PXX", kYes, 10, "10,0", "6302", ""},
    {"6302", "XXX121212P", kYes, 10, "10,0", "", ""},
    {"64", "9A5842PXXX", kNo, 11, "11,0;10,0", "", ""},
    {"6502", "2121212PXX", kYes, 10, "10,0", "", ""},
    {"6503", "2121212P12", kYes, 10, "10,0", "", ""},
    {"66", "XXXX65432P", kNo, 11, "11,1;10,0", "", ""},
    {"67", "2121212PXX", kYes, 10, "10,0", "", ""},
    {"6802", "XXX121212P", kYes, 10, "10,0", "", ""},
    {"6803", "X1XX21212P", kYes, 10, "10,0", "", ""},
    {"70", "432765432P", kNo, 11, "11,0;10,0", "", "3,5o3,6u4,9/7002"},
    {"7002", "XXX765432P", kNo, 11, "11,0;10,0", "", ""},
    {"71", "X654321XXP", kNo, 11, "11,0;10,1", "", ""},
    {"72", "XXX121212P", kYes, 10, "10,0", "", ""},
    {"73", "XXX121212P", kYes, 10, "10,0", "", "2,9/7302"},
    {"7302", "A98765432P", kNo, 11, "11,0;10,0", "", ""},
    {"7402", "212121212P", kYes, 10, "10,0", "", ""},
    {"7502", "XXXX21212P", kYes, 10, "10,0", "", ""},
    {"7902", "12121212PX", kYes, 10, "10,0", "", ""},
    {"80", "XXXX21212P", kYes, 10, "10,0", "8002", "2,9u3,9/10"},
    {"8002", "XXXX21212P", kYes, 7, "7,0", "", ""},
    {"81", "XXX765432P", kNo, 11, "11,0;10,0", "", "2,9/10"},
    {"82", "XXXX65432P", kNo, 11, "11,0;10,0", "", "2,9u3,9/10"},
    {"83", "XXX765432P", kNo, 11, "11,0;10,0", "8302", ""},
    {"8302", "XXXX65432P", kNo, 11, "11,0;10,0", "8303", ""},
    {"8303", "XXXX65432P", kNo, 7, "7,0", "", ""},
    {"84", "XXXX65432P", kNo, 11, "11,0;10,0", "8402", "2,9u3,9/10"},
    {"8402", "XXXX65432P", kNo, 7, "7,0", "", ""},
    {"85", "XXX765432P", kNo, 11, "11,0;10,0", "8502", "2,9u3,9/8504"},
    {"8502", "XXXX65432P", kNo, 11, "11,0;10,0", "8503", ""},
    {"8503", "XXXX65432P", kNo, 7, "7,0", "", "9,7o9,8o9,9/10000"},
    {"8504", "XX8765432P", kNo, 11, "11,0", "", ""},
    {"86", "XXX121212P", kYes, 10, "10,0", "8602", "2,9/10"},
    {"8602", "XXX765432P", kNo, 11, "11,0;10,0", "", ""},
    {"8703", "XXXX65432P", kNo, 7, "7,0", "", ""},
    {"88", "XXX765432P", kNo, 11, "11,0;10,0", "", "2,9/8802"},
    {"8802", "XX8765432P", kNo, 11, "11,0;10,0", "", ""},
    {"8902", "XXX765432P", kYes, 11, "11,0;10,0", "", ""},
    {"90", "XXX765432P", kNo, 11, "11,0;10,0", "9002", "2,9u3,9/9006"},
    {"9002", "XXXX65432P", kNo, 11, "11,0;10,0", "9003", ""},
    {"9003", "XXXX65432P", kNo, 7, "7,0", "9004", ""},
    {"9004", "XXXX65432P", kNo, 9, "9,0", "9005", ""},
    {"9005", "XXXX21212P", kNo, 10, "10,0", "", ""},
    {"9006", "XX8765432P", kNo, 11, "11,0;10,0", "", ""},
    {"91", "765432PXXX", kNo, 11, "11,0;10,0", "9102", ""},
    {"9102", "234567PXXX", kNo, 11, "11,0;10,0", "9103", ""},
    {"9103", "A98765P432", kNo, 11, "11,0;10,0", "", ""},
    {"92", "XXX173173P", kNo, 10, "10,0", "", ""},
    {"93", "65432PXXXX", kNo, 11, "11,0;10,0", "9302", ""},
    {"9302", "65432PXXXX", kNo, 7, "", "9303", ""},
    {"9303", "XXXX65432P", kNo, 11, "11,0;10,0", "9304", ""},
    {"9304", "XXXX65432P", kNo, 7, "", "", ""},
    {"94", "121212121P", kYes, 10, "10,0", "", ""},
    {"98", "XX3713713P", kNo, 10, "10,0", "32", ""},
});

constexpr std::size_t kRowCount = kMethodTable.size();

constexpr int kSlotCount = 100 * kVariantsPerMethod;

struct ReadTable {
  std::array<TableRow, kRowCount> rows{};
  std::array<int8_t, kSlotCount> position_of_slot{};  // TableRow::kNone for no row
  int first_bad_row = -1;  // position of the first row that could not be read
};

constexpr int PositionOf(const std::array<int8_t, kSlotCount>& position_of_slot,
                         std::string_view code) {
  const int slot = SlotOfCode(code);
  return slot < 0 ? TableRow::kNone : position_of_slot[static_cast<std::size_t>(slot)];
}

constexpr ReadTable ReadMethodTable() {
  ReadTable table;
  const auto bad = [&table](std::size_t position) {
    if (table.first_bad_row < 0) table.first_bad_row = static_cast<int>(position);
  };
  static_assert(kRowCount <= 127, "row positions are kept in int8_t");
  table.position_of_slot.fill(TableRow::kNone);
  for (std::size_t i = 0; i < kRowCount; ++i) {
    const int slot = SlotOfCode(kMethodTable[i].Code);
    if (slot < 0 || table.position_of_slot[static_cast<std::size_t>(slot)] != TableRow::kNone) {
      bad(i);
      continue;
    }
    table.position_of_slot[static_cast<std::size_t>(slot)] = static_cast<int8_t>(i);
  }
  for (std::size_t i = 0; i < kRowCount; ++i) {
    const MethodRow& text = kMethodTable[i];
    TableRow& row = table.rows[i];
    const auto weighing =
        notation::ReadWeighing(text.Pattern, text.UseCrossSum, text.Modulus, text.Rule);
    if (!weighing) bad(i);
    row.weighing = weighing.value_or(notation::Weighing{});

    const auto fallback = notation::TrimBlanks(text.Fallback);
    if (!fallback.empty()) {
      row.fallback = PositionOf(table.position_of_slot, fallback);
      if (row.fallback == TableRow::kNone) bad(i);
    }

    if (!text.Switch.empty()) {
      const auto switch_rule = notation::ReadSwitch(text.Switch);
      if (!switch_rule) {
        bad(i);
        continue;
      }
      row.has_switch = true;
      row.switch_rule = *switch_rule;
      row.switch_target = switch_rule->target == kAlwaysWrongCode
                              ? TableRow::kAlwaysWrong
                              : PositionOf(table.position_of_slot, switch_rule->target);
      if (row.switch_target == TableRow::kNone) bad(i);
    }
  }
  return table;
}

// True when no chain of fallbacks and switch targets comes back to a row it
// passed: the longest chain from each row is relaxed once per row, and must
// then be settled.
constexpr bool ChainsEnd(const ReadTable& table) {
  std::array<int, kRowCount> longest{};
  bool changed = true;
  for (std::size_t pass = 0; pass <= kRowCount && changed; ++pass) {
    changed = false;
    for (std::size_t i = 0; i < kRowCount; ++i) {
      for (int next : {table.rows[i].fallback, table.rows[i].switch_target}) {
        if (next < 0) continue;
        const int through_next = longest[static_cast<std::size_t>(next)] + 1;
        if (through_next > longest[i]) {
          longest[i] = through_next;
          changed = true;
        }
      }
    }
  }
  return !changed;
}

constexpr ReadTable kTable = ReadMethodTable();
static_assert(kTable.first_bad_row == -1, "a row of the method table cannot be read");
static_assert(ChainsEnd(kTable), "a chain of the method table loops");

}  // namespace

std::optional<MethodRow> GetMethodRow(std::string_view code) {
  const int position = PositionOf(kTable.position_of_slot, code);
  if (position < 0) return std::nullopt;
  return kMethodTable[static_cast<std::size_t>(position)];
}

std::span<const MethodRow> AllMethodRows() { return kMethodTable; }

const TableRow* TableRowInSlot(int slot) {
  if (slot < 0 || slot >= kSlotCount) return nullptr;
  const int position = kTable.position_of_slot[static_cast<std::size_t>(slot)];
  return position < 0 ? nullptr : &kTable.rows[static_cast<std::size_t>(position)];
}

const TableRow& TableRowAt(int position) { return kTable.rows[static_cast<std::size_t>(position)]; }

}  // namespace quandor::methods
