// The special-method dispatcher: the one place where a special routine joins
// the engine under its method code.
#include <algorithm>
#include <array>
#include <string_view>

#include "methods/runner.h"
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

struct SpecialMethod {
  std::string_view code;
  int (*routine)(CheckContext&);
};

// Sorted by code for the binary search below.
constexpr std::array kSpecialMethods = std::to_array<SpecialMethod>({
    {"17", CheckMethod17}, {"21", CheckMethod21}, {"22", CheckMethod22},
    {"24", CheckMethod24}, {"25", CheckMethod25}, {"27", CheckMethod27},
    {"29", CheckMethod29}, {"41", CheckMethod41}, {"45", CheckMethod45},
    {"52", CheckMethod52}, {"53", CheckMethod53}, {"56", CheckMethod56},
    {"59", CheckMethod59}, {"61", CheckMethod61}, {"63", CheckMethod63},
    {"65", CheckMethod65}, {"68", CheckMethod68}, {"69", CheckMethod69},
    {"74", CheckMethod74}, {"75", CheckMethod75}, {"76", CheckMethod76},
    {"77", CheckMethod77}, {"78", CheckMethod78}, {"79", CheckMethod79},
    {"8", CheckMethod08},  {"87", CheckMethod87}, {"89", CheckMethod89},
    {"9", CheckMethod09},  {"95", CheckMethod95}, {"96", CheckMethod96},
    {"97", CheckMethod97},
});

static_assert(std::ranges::is_sorted(kSpecialMethods, {}, &SpecialMethod::code));

// Every account number checked by this pseudo-code is invalid.
constexpr std::string_view kAlwaysWrong = "10000";

}  // namespace

bool RunSpecialMethod(CheckContext& ctx, std::string_view code) {
  if (code == kAlwaysWrong) {
    ctx.last_error = qdWrongCheckDigit;
    return true;
  }
  auto it = std::ranges::lower_bound(kSpecialMethods, code, {}, &SpecialMethod::code);
  if (it == kSpecialMethods.end() || it->code != code) return false;
  it->routine(ctx);
  return true;
}

}  // namespace quandor::methods
