// The special-method dispatcher: the one place where a special routine joins
// the engine under its method code.
#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "methods/method_table.h"
#include "methods/row_notation.h"
#include "methods/runner.h"
#include "methods/special_methods.h"

namespace quandor::methods {
namespace {

struct SpecialMethod {
  std::string_view code;
  Routine routine;
};

// Sorted by code.
constexpr std::array kSpecialMethods = std::to_array<SpecialMethod>({
    {"17", CheckMethod17}, {"21", CheckMethod21}, {"22", CheckMethod22}, {"24", CheckMethod24},
    {"25", CheckMethod25}, {"27", CheckMethod27}, {"29", CheckMethod29}, {"41", CheckMethod41},
    {"45", CheckMethod45}, {"52", CheckMethod52}, {"53", CheckMethod53}, {"56", CheckMethod56},
    {"59", CheckMethod59}, {"61", CheckMethod61}, {"63", CheckMethod63}, {"65", CheckMethod65},
    {"68", CheckMethod68}, {"69", CheckMethod69}, {"74", CheckMethod74}, {"75", CheckMethod75},
    {"76", CheckMethod76}, {"77", CheckMethod77}, {"78", CheckMethod78}, {"79", CheckMethod79},
    {"8", CheckMethod08},  {"87", CheckMethod87}, {"89", CheckMethod89}, {"9", CheckMethod09},
    {"95", CheckMethod95}, {"96", CheckMethod96}, {"97", CheckMethod97},
});

static_assert(std::ranges::is_sorted(kSpecialMethods, {}, &SpecialMethod::code));

// The routines by method number, built from the list so that a lookup costs
// one reading of the code. Nothing when a code is no method code or comes twice.
constexpr std::optional<std::array<Routine, 100>> RoutinesByMethod() {
  std::array<Routine, 100> routines{};
  for (const SpecialMethod& special : kSpecialMethods) {
    const auto parts = notation::ReadMethodCode(special.code);
    if (!parts || parts->is_variant) return std::nullopt;
    Routine& routine = routines[static_cast<std::size_t>(parts->method)];
    if (routine != nullptr) return std::nullopt;
    routine = special.routine;
  }
  return routines;
}

static_assert(RoutinesByMethod().has_value(), "every special method needs a code of its own");
constexpr std::array<Routine, 100> kRoutineOfMethod = *RoutinesByMethod();

}  // namespace

Routine SpecialRoutine(std::string_view code) {
  if (code == kAlwaysWrongCode) return [](CheckContext&) { return CheckResult::Rejected(); };
  const auto parts = notation::ReadMethodCode(code);
  if (!parts || parts->is_variant) return nullptr;
  return SpecialRoutine(parts->method);
}

Routine SpecialRoutine(int32_t method_number) {
  if (method_number < 0 || method_number >= static_cast<int32_t>(kRoutineOfMethod.size())) {
    return nullptr;
  }
  return kRoutineOfMethod[static_cast<std::size_t>(method_number)];
}

}  // namespace quandor::methods
