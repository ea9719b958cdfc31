// Chains of variants that mix rows of the original method table with
// weighings of today's: many of today's methods try an original method first
// and a weighing of their own next, or the other way round.
#ifndef QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_
#define QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_

#include <initializer_list>
#include <optional>
#include <string_view>

#include "methods/check_context.h"
#include "methods/row_notation.h"
#include "methods/runner.h"
#include "methods/special_support.h"
#include "methods/weighted_sum.h"
#include "quandor/errors.h"

namespace quandor::methods::current {

// One variant: the original table row of a method whose meaning has not
// changed, or a weighing of today's.
struct Variant {
  std::string_view row;                          // an original row's code, or ""
  const notation::Weighing* weighing = nullptr;  // used when row is ""
};

constexpr Variant OriginalRow(std::string_view code) { return {code, nullptr}; }
constexpr Variant Weighed(const notation::Weighing& weighing) { return {{}, &weighing}; }

// True when the verdict so far is a wrong check digit; the verdict is then
// cleared so that the next variant can run. Accepting and failing both end
// a chain, so they give false.
inline bool ClearedWrongDigit(CheckContext& ctx) {
  if (ctx.last_error != qdWrongCheckDigit) return false;
  ctx.last_error = qdNoError;
  return true;
}

// Runs one variant and returns what a routine returns.
inline int Check(CheckContext& ctx, const Variant& variant) {
  const std::optional<int> expected = variant.weighing != nullptr
                                          ? CheckWeightedSum(ctx, *variant.weighing)
                                          : CheckByTable(ctx, variant.row);
  return AcceptedDigit(ctx, expected);
}

// Tries the variants in turn and accepts with the first that accepts; a
// failure ends the chain.
inline int FirstAcceptingOf(CheckContext& ctx, std::initializer_list<Variant> variants) {
  for (const Variant& variant : variants) {
    const int digit = Check(ctx, variant);
    if (!ClearedWrongDigit(ctx)) return digit;
  }
  return Wrong(ctx);
}

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_VARIANT_CHAIN_H_
