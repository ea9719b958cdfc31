// Today's methods that are built from other methods: a variant handed to
// today's method of a number or to the original engine, chains of such
// variants, and variants chosen by the range of the account number.
#ifndef QUANDOR_METHODS_CURRENT_ORIGINAL_VARIANTS_H_
#define QUANDOR_METHODS_CURRENT_ORIGINAL_VARIANTS_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "methods/check_context.h"
#include "methods/current/method_set.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"
#include "quandor/errors.h"

namespace quandor::methods::current {

using VariantRoutine = int (*)(CheckContext&);

// One variant: today's method of a number ("entsprechen der Methode 95"), a
// row of the original method table, or a routine of its own. Exactly one of
// the three is set.
struct Variant {
  int method = -1;
  std::string_view row;
  VariantRoutine routine = nullptr;
};

constexpr Variant ByMethod(int method) { return {method, {}, nullptr}; }
constexpr Variant ByRow(std::string_view code) { return {-1, code, nullptr}; }
constexpr Variant ByRoutine(VariantRoutine routine) { return {-1, {}, routine}; }

// Runs one variant on ctx; returns what a routine returns.
inline int RunVariant(CheckContext& ctx, const Variant& variant) {
  if (variant.method >= 0) {
    RunCurrentMethod(ctx, variant.method);
    return ctx.last_error == qdNoError ? ctx.digits[kLastIndex] : -1;
  }
  return variant.routine != nullptr ? variant.routine(ctx) : CheckByTableRow(ctx, variant.row);
}

// Tries the variants in turn and accepts with the first that accepts. Only a
// wrong check digit leads on to the next; a failure ends the chain.
inline int FirstAcceptingVariant(CheckContext& ctx, std::span<const Variant> variants) {
  for (const Variant& variant : variants) {
    const int digit = RunVariant(ctx, variant);
    if (ctx.last_error == qdNoError) return digit;
    if (ctx.last_error != qdWrongCheckDigit) return -1;
    ctx.last_error = qdNoError;
  }
  return Wrong(ctx);
}

// The variant for the account numbers of one range.
struct RangeVariant {
  NumberRange range;
  Variant variant;
};

// Runs the variant of the first range that holds the account number; a number
// in none of the ranges is wrong.
inline int VariantOfRange(CheckContext& ctx, std::span<const RangeVariant> ranges) {
  const int64_t n = AccountNumber(ctx);
  for (const RangeVariant& entry : ranges) {
    if (InRange(n, entry.range)) return RunVariant(ctx, entry.variant);
  }
  return Wrong(ctx);
}

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_ORIGINAL_VARIANTS_H_
