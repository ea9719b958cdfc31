// Methods that choose a table row by a digit, the length or a range of the
// account number; some shapes are decided without any row.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods {
namespace {

// Runs a row on digits changed for this check only.
CheckResult RunRowOn(const CheckContext& ctx, AccountDigits digits, std::string_view code) {
  CheckContext shifted{digits, ctx.bank_code};
  return CheckByTable(shifted, code);
}

// One digit chooses between two rows.
struct DigitChoice {
  size_t index;
  int digit;
  std::string_view row_if_equal;
  std::string_view row_otherwise;
};

constexpr DigitChoice kChoice56 = {0, 9, "5603", "5602"};
constexpr DigitChoice kChoice61 = {8, 8, "6103", "6102"};
constexpr DigitChoice kChoice65 = {8, 9, "6503", "6502"};

CheckResult RunChosenRow(CheckContext& ctx, const DigitChoice& choice) {
  const bool equal = ctx.digits[choice.index] == choice.digit;
  return CheckByTable(ctx, equal ? choice.row_if_equal : choice.row_otherwise);
}

// Method 79: the row by the first digit; an empty code rejects the number.
constexpr std::array<std::string_view, 10> kRowByFirstDigit79 = {
    "", "7902", "7902", "0", "0", "0", "0", "", "", "7902",
};

// Method 89: the row by the range of the account number; other numbers are wrong.
struct RangeRow {
  NumberRange range;
  std::string_view row;
};
constexpr std::array<RangeRow, 2> kRowByRange89 = {{
    {{10000000, 999999999}, "10"},
    {{1000000, 9999999}, "8902"},
}};

// Method 95: numbers of up to nine digits in these ranges carry no check digit.
constexpr std::array<NumberRange, 3> kUncheckedRanges95 = {{
    {1, 1999999},
    {396000000, 499999999},
    {700000000, 799999999},
}};

constexpr int kFullLength = 10;

}  // namespace

CheckResult CheckMethod56(CheckContext& ctx) { return RunChosenRow(ctx, kChoice56); }

CheckResult CheckMethod59(CheckContext& ctx) {
  if (SignificantDigits(ctx.digits) <= 8) return ValidWithoutCheck(ctx);
  return CheckByTable(ctx, "0");
}

CheckResult CheckMethod61(CheckContext& ctx) { return RunChosenRow(ctx, kChoice61); }

CheckResult CheckMethod63(CheckContext& ctx) {
  if (SignificantDigits(ctx.digits) == kFullLength) return CheckResult::Rejected();
  return CheckByTable(ctx, "63");
}

CheckResult CheckMethod65(CheckContext& ctx) { return RunChosenRow(ctx, kChoice65); }

CheckResult CheckMethod75(CheckContext& ctx) {
  // Row "7502" fits numbers of six or seven digits; longer ones are moved
  // right into that frame, zeros in front, digits pushed past the end dropped.
  if (SignificantDigits(ctx.digits) <= 7) return CheckByTable(ctx, "7502");
  const size_t shift = ctx.digits[1] == 9 ? 2 : 3;
  AccountDigits shifted{};
  std::copy_n(ctx.digits.begin(), shifted.size() - shift, shifted.begin() + shift);
  return RunRowOn(ctx, shifted, "7502");
}

CheckResult CheckMethod78(CheckContext& ctx) {
  if (SignificantDigits(ctx.digits) == 8) return CheckResult::Rejected();
  return CheckByTable(ctx, "0");
}

CheckResult CheckMethod79(CheckContext& ctx) {
  const auto first = static_cast<size_t>(ctx.digits[0]);
  if (first >= kRowByFirstDigit79.size()) return CheckResult::CannotCheck();  // not a digit
  const std::string_view row = kRowByFirstDigit79[first];
  if (row.empty()) return CheckResult::Rejected();
  return CheckByTable(ctx, row);
}

CheckResult CheckMethod89(CheckContext& ctx) {
  const int64_t n = AccountNumber(ctx);
  for (const auto& [range, row] : kRowByRange89) {
    if (InRange(n, range)) return CheckByTable(ctx, row);
  }
  return CheckResult::Rejected();
}

CheckResult CheckMethod95(CheckContext& ctx) {
  const auto& d = ctx.digits;
  if (SignificantDigits(d) == kFullLength) {
    // These ten-digit numbers are checked as if they began with three zeros.
    if (d[3] == 5 || (d[3] == 6 && d[4] == 9)) {
      AccountDigits shortened = d;
      std::fill_n(shortened.begin(), 3, 0);
      return RunRowOn(ctx, shortened, "6");
    }
    return CheckByTable(ctx, "6");
  }
  const int64_t n = AccountNumber(ctx);
  const bool unchecked = std::ranges::any_of(
      kUncheckedRanges95, [n](const NumberRange& range) { return InRange(n, range); });
  if (unchecked) return ValidWithoutCheck(ctx);
  return CheckByTable(ctx, "6");
}

}  // namespace quandor::methods
