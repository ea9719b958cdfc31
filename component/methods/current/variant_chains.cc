// Today's methods that try variants in turn until one accepts: C2, C7, C8,
// C9, D2, D3, D5, D6, D9, E3 and E4. Variants that equal an original method
// are handed to the original engine.
#include <algorithm>
#include <array>

#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/original_variants.h"
#include "methods/special_methods.h"

namespace quandor::methods::current {
namespace {

// Method 95 as the Bundesbank lists it today (ranges without a check digit
// that the original method 95 lacks): the first variant of D2.
constexpr std::array<NumberRange, 5> kUncheckedRanges95 = {{
    {1, 1999999},
    {9000000, 25999999},
    {396000000, 499999999},
    {700000000, 799999999},
    {910000000, 989999999},
}};

int Today95(CheckContext& ctx) {
  const int64_t n = AccountNumber(ctx);
  const bool unchecked = std::ranges::any_of(
      kUncheckedRanges95, [n](const NumberRange& range) { return InRange(n, range); });
  if (unchecked) return ValidWithoutCheck(ctx);
  return CheckByTableRow(ctx, "6");
}

// Method 63 as the Bundesbank describes it today (the first variant of C7):
// place 1 must be empty; a number without its sub-account 00 is read a second
// time further right only when places 1 to 3 are empty, where the original
// method 63 reads every number twice.
constexpr auto kBase63 = Weighing("X121212PXX", kCrossSum, 10, "10,0");
constexpr auto kBase63WithoutSubAccount = Weighing("XXX121212P", kCrossSum, 10, "10,0");

int Today63(CheckContext& ctx) {
  const auto& d = ctx.digits;
  if (d[0] != 0) return Wrong(ctx);
  if (d[1] != 0 || d[2] != 0) return FirstAccepting(ctx, {&kBase63});
  return FirstAccepting(ctx, {&kBase63, &kBase63WithoutSubAccount});
}

constexpr std::array kVariantsC2 = {ByRoutine(CheckMethod22), ByRow("0"), ByRow("4")};
constexpr std::array kVariantsC7 = {ByRoutine(Today63), ByRow("6")};
constexpr std::array kVariantsC8 = {ByRow("0"), ByRow("4"), ByRow("7")};
constexpr std::array kVariantsC9 = {ByRow("0"), ByRow("7")};
constexpr std::array kVariantsD2 = {ByRoutine(Today95), ByRow("0"), ByRoutine(CheckMethod68)};
constexpr std::array kVariantsD3 = {ByRow("0"), ByRoutine(CheckMethod27)};
constexpr std::array kVariantsD6 = {ByRow("7"), ByRow("3"), ByRow("0")};
constexpr std::array kVariantsD9 = {ByRow("0"), ByRow("10"), ByRow("18")};
constexpr std::array kVariantsE3 = {ByRow("0"), ByRoutine(CheckMethod21)};
constexpr std::array kVariantsE4 = {ByRow("2"), ByRow("0")};

// D5: method 06's rules on digits 3 to 9, or on digits 4 to 9 modulo 11, 7
// and 10 in turn.
constexpr auto kWeighingD5First = Weighing("XX8765432P", kPlain, 11, "11,0;10,0");
constexpr auto kWeighingD5Second = Weighing("XXX765432P", kPlain, 11, "11,0;10,0");
constexpr auto kWeighingD5Third = Weighing("XXX765432P", kPlain, 7, "7,0");
constexpr auto kWeighingD5Fourth = Weighing("XXX765432P", kPlain, 10, "10,0");

}  // namespace

int MethodC2(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsC2); }
int MethodC7(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsC7); }
int MethodC8(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsC8); }
int MethodC9(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsC9); }
int MethodD2(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsD2); }
int MethodD3(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsD3); }

int MethodD5(CheckContext& ctx) {
  // Accounts with 99 in third and fourth place have only the first variant.
  if (ctx.digits[2] == 9 && ctx.digits[3] == 9) {
    return FirstAccepting(ctx, {&kWeighingD5First});
  }
  return FirstAccepting(ctx, {&kWeighingD5Second, &kWeighingD5Third, &kWeighingD5Fourth});
}

int MethodD6(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsD6); }
int MethodD9(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsD9); }
int MethodE3(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsE3); }
int MethodE4(CheckContext& ctx) { return FirstAcceptingVariant(ctx, kVariantsE4); }

}  // namespace quandor::methods::current
