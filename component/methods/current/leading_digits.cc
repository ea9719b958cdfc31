// Methods 57, 66 and 79: the leading digits of the account number choose
// how it is checked, or decide it without a check.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/table_handover.h"

namespace quandor::methods::current {
namespace {

// Method 57: the first two digits, read as a number 0..99, choose the variant.
enum class Variant57 : uint8_t {
  kWrong,            // 00: always wrong
  kCheckDigitLast,   // places 1 to 9, check digit in place 10
  kCheckDigitThird,  // places 1, 2 and 4 to 10, check digit in place 3
  kUnchecked,        // no check digit
  kShapeOnly,        // no check digit; places 3-4 hold 01 to 12, places 7-9 less than 500
};

struct PrefixRange {
  int low;   // included
  int high;  // included
  Variant57 variant;
};

constexpr auto kPrefixRanges57 = std::to_array<PrefixRange>({
    {0, 0, Variant57::kWrong},
    {1, 31, Variant57::kShapeOnly},
    {32, 39, Variant57::kCheckDigitThird},
    {40, 40, Variant57::kUnchecked},
    {41, 49, Variant57::kCheckDigitThird},
    {50, 50, Variant57::kUnchecked},
    {51, 51, Variant57::kCheckDigitLast},
    {52, 54, Variant57::kCheckDigitThird},
    {55, 55, Variant57::kCheckDigitLast},
    {56, 60, Variant57::kCheckDigitThird},
    {61, 61, Variant57::kCheckDigitLast},
    {62, 63, Variant57::kCheckDigitThird},
    {64, 66, Variant57::kCheckDigitLast},
    {67, 69, Variant57::kCheckDigitThird},
    {70, 70, Variant57::kCheckDigitLast},
    {71, 72, Variant57::kCheckDigitThird},
    {73, 82, Variant57::kCheckDigitLast},
    {83, 87, Variant57::kCheckDigitThird},
    {88, 88, Variant57::kCheckDigitLast},
    {89, 90, Variant57::kCheckDigitThird},
    {91, 91, Variant57::kUnchecked},
    {92, 93, Variant57::kCheckDigitThird},
    {94, 95, Variant57::kCheckDigitLast},
    {96, 98, Variant57::kCheckDigitThird},
    {99, 99, Variant57::kUnchecked},
});

// The ranges read into one entry per prefix; a prefix left out or given twice
// stops the build.
consteval std::array<Variant57, 100> VariantsByPrefix57() {
  std::array<Variant57, 100> variants{};
  std::array<bool, 100> seen{};
  for (const PrefixRange& range : kPrefixRanges57) {
    for (int prefix = range.low; prefix <= range.high; ++prefix) {
      const auto at = static_cast<std::size_t>(prefix);
      if (seen[at]) throw "prefix given twice";
      seen[at] = true;
      variants[at] = range.variant;
    }
  }
  for (bool s : seen) {
    if (!s) throw "prefix left out";
  }
  return variants;
}

constexpr std::array<Variant57, 100> kVariantByPrefix57 = VariantsByPrefix57();

constexpr auto kCheckDigitLast57 = Weighing("121212121P", kCrossSum, 10, "10,0");
constexpr auto kCheckDigitThird57 = Weighing("12P1212121", kCrossSum, 10, "10,0");

// Numbers beginning with six of these digits carry no check digit.
constexpr std::array<int, 2> kRepeatedDigitsUnchecked57 = {7, 8};
constexpr std::size_t kRepeatedLength57 = 6;

// The one number of the shape-only range that is valid without its shape.
constexpr std::array<int, 10> kValidException57 = {0, 1, 8, 5, 1, 2, 5, 4, 3, 4};

constexpr int kHighestInPlaces3And4 = 12;
constexpr int kLimitOfPlaces7To9 = 500;

bool BeginsWithSixOf(const AccountDigits& d, int digit) {
  for (std::size_t i = 0; i < kRepeatedLength57; ++i) {
    if (d[i] != digit) return false;
  }
  return true;
}

bool HasShape57(const AccountDigits& d) {
  const int places3and4 = d[2] * 10 + d[3];
  const int places7to9 = d[6] * 100 + d[7] * 10 + d[8];
  return places3and4 >= 1 && places3and4 <= kHighestInPlaces3And4 &&
         places7to9 < kLimitOfPlaces7To9;
}

// Method 66: the leading place is no part of the nine-digit account number;
// the sub-account in places 3 and 4 is weighed 0.
constexpr auto kStemNumber66 = Weighing("X7XX65432P", kPlain, 11, "11,1;10,0");
constexpr int kUncheckedDigit66 = 9;  // in place 2

// Method 79: the row by the first digit; an empty code rejects the number.
constexpr std::array<std::string_view, 10> kRowByFirstDigit79 = {
    "", "7902", "7902", "0", "0", "0", "0", "0", "0", "7902",
};

}  // namespace

CheckResult Method57(CheckContext& ctx) {
  const AccountDigits& d = ctx.digits;
  switch (kVariantByPrefix57[static_cast<std::size_t>(d[0] * 10 + d[1])]) {
    case Variant57::kWrong:
      return CheckResult::Rejected();
    case Variant57::kCheckDigitLast:
      for (int digit : kRepeatedDigitsUnchecked57) {
        if (BeginsWithSixOf(d, digit)) return ValidWithoutCheck(ctx);
      }
      return FirstAccepting(ctx, {&kCheckDigitLast57});
    case Variant57::kCheckDigitThird:
      return FirstAccepting(ctx, {&kCheckDigitThird57});
    case Variant57::kUnchecked:
      return ValidWithoutCheck(ctx);
    case Variant57::kShapeOnly:
      if (HasShape57(d) || d == kValidException57) return ValidWithoutCheck(ctx);
      return CheckResult::Rejected();
  }
  return CheckResult::CannotCheck();
}

CheckResult Method66(CheckContext& ctx) {
  if (ctx.digits[0] != 0) return CheckResult::Rejected();
  if (ctx.digits[1] == kUncheckedDigit66) return ValidWithoutCheck(ctx);
  return FirstAccepting(ctx, {&kStemNumber66});
}

CheckResult Method79(CheckContext& ctx) {
  const std::string_view row = kRowByFirstDigit79[static_cast<std::size_t>(ctx.digits[0])];
  if (row.empty()) return CheckResult::Rejected();
  return CheckByTable(ctx, row);
}

}  // namespace quandor::methods::current
