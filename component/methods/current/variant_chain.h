// Variants and chains of them, as today's methods combine them: today's
// method of a number ("entsprechen der Methode 95"), a row of the original
// method table, a weighing of today's, or a routine of its own; tried in turn
// (only a wrong check digit hands the number on) or chosen by range.
#ifndef QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_
#define QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "methods/check_context.h"
#include "methods/current/method_set.h"
#include "methods/row_notation.h"
#include "methods/runner.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"
#include "methods/weighted_sum.h"

namespace quandor::methods::current {

// One variant; exactly one of its fields is set.
struct Variant {
  int method = -1;                               // today's method of this number
  std::string_view row;                          // an original table row's code
  const notation::Weighing* weighing = nullptr;  // a weighing of today's
  Routine routine = nullptr;                     // a routine of its own
};

constexpr Variant ByMethod(int method) { return {method, {}, nullptr, nullptr}; }
constexpr Variant ByRow(std::string_view code) { return {-1, code, nullptr, nullptr}; }
constexpr Variant Weighed(const notation::Weighing& weighing) {
  return {-1, {}, &weighing, nullptr};
}
constexpr Variant ByRoutine(Routine routine) { return {-1, {}, nullptr, routine}; }

// Runs one variant on ctx.
inline CheckResult RunVariant(CheckContext& ctx, const Variant& variant) {
  if (variant.method >= 0) return CurrentMethod(ctx, variant.method);
  if (variant.weighing != nullptr) return CheckWeightedSum(ctx, *variant.weighing);
  if (variant.routine != nullptr) return variant.routine(ctx);
  return CheckByTable(ctx, variant.row);
}

// The variants tried in turn (FirstAccepting).
inline CheckResult FirstAccepting(CheckContext& ctx, std::span<const Variant> variants) {
  return FirstAccepting(ctx, variants, RunVariant);
}

inline CheckResult FirstAccepting(CheckContext& ctx, std::initializer_list<Variant> variants) {
  return FirstAccepting(ctx, std::span<const Variant>(variants.begin(), variants.size()));
}

// The variant for the account numbers of one range.
struct RangeVariant {
  NumberRange range;
  Variant variant;
};

// Runs the variant of the first range that holds the account number; a number
// in none of the ranges is wrong.
inline CheckResult VariantOfRange(CheckContext& ctx, std::span<const RangeVariant> ranges) {
  const int64_t n = AccountNumber(ctx);
  for (const RangeVariant& entry : ranges) {
    if (InRange(n, entry.range)) return RunVariant(ctx, entry.variant);
  }
  return CheckResult::Rejected();
}

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_
