// Today's methods that try variants in turn until one accepts: C2, C7, C8,
// C9, D2, D3, D5, D6, D9, E3 and E4. Variants that equal an original method
// are today's methods of those numbers.
#include <algorithm>
#include <array>

#include "methods/current/common_weighings.h"
#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"
#include "methods/current/ledger_account.h"
#include "methods/current/variant_chain.h"
#include "methods/special_methods.h"

namespace quandor::methods::current {
namespace {

constexpr std::array kVariantsC2 = {ByMethod(22), ByMethod(0), ByMethod(4)};
constexpr std::array kVariantsC7 = {ByMethod(63), ByMethod(6)};
constexpr std::array kVariantsC8 = {ByMethod(0), ByMethod(4), ByMethod(7)};
constexpr std::array kVariantsC9 = {ByMethod(0), ByMethod(7)};
constexpr std::array kVariantsD2 = {ByMethod(95), ByMethod(0), ByMethod(68)};
constexpr std::array kVariantsD3 = {ByMethod(0), ByMethod(27)};
constexpr std::array kVariantsD6 = {ByMethod(7), ByMethod(3), ByMethod(0)};
constexpr std::array kVariantsD9 = {ByMethod(0), ByMethod(10), ByMethod(18)};
constexpr std::array kVariantsE3 = {ByMethod(0), ByMethod(21)};
constexpr std::array kVariantsE4 = {ByMethod(2), ByMethod(0)};

// D5: the ledger weighing on digits 3 to 9, or digits 4 to 9 modulo 11, 7
// and, last, 10.
constexpr auto kWeighingD5Fourth = Weighing("XXX765432P", kPlain, 10, "10,0");

}  // namespace

CheckResult MethodC2(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsC2); }
CheckResult MethodC7(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsC7); }
CheckResult MethodC8(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsC8); }
CheckResult MethodC9(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsC9); }
CheckResult MethodD2(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsD2); }
CheckResult MethodD3(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsD3); }

CheckResult MethodD5(CheckContext& ctx) {
  // Accounts with 99 in third and fourth place have only the first variant.
  if (ctx.digits[2] == 9 && ctx.digits[3] == 9) {
    return FirstAccepting(ctx, {&kLedgerWeighing});
  }
  return FirstAccepting(ctx, {&kPlaces4To9Mod11, &kPlaces4To9Mod7, &kWeighingD5Fourth});
}

CheckResult MethodD6(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsD6); }
CheckResult MethodD9(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsD9); }
CheckResult MethodE3(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsE3); }
CheckResult MethodE4(CheckContext& ctx) { return FirstAccepting(ctx, kVariantsE4); }

}  // namespace quandor::methods::current
