// What today's methods share: weighings written in the method table's own
// notation and read when the component is compiled, and the verdict of a
// chain of variants.
#ifndef QUANDOR_METHODS_CURRENT_CURRENT_SUPPORT_H_
#define QUANDOR_METHODS_CURRENT_CURRENT_SUPPORT_H_

#include <initializer_list>
#include <span>
#include <string_view>

#include "methods/check_context.h"
#include "methods/row_notation.h"
#include "methods/special_support.h"
#include "methods/weighted_sum.h"

namespace quandor::methods::current {

// A weighing in the table's notation (row_notation.h): pattern over the ten
// account digits, cross sums or not, modulus, remainder rule. A text that
// does not read stops the build.
consteval notation::Weighing Weighing(std::string_view pattern, bool use_cross_sum, int modulus,
                                      std::string_view rule) {
  const auto read = notation::ReadWeighing(pattern, use_cross_sum, modulus, rule);
  if (!read) throw "malformed weighing";  // not a constant expression: a compile error
  return *read;
}

inline constexpr bool kCrossSum = true;  // products enter the sum as their cross sums
inline constexpr bool kPlain = false;

// The weighings tried in turn (FirstAccepting).
inline CheckResult FirstAccepting(CheckContext& ctx,
                                  std::initializer_list<const notation::Weighing*> weighings) {
  return FirstAccepting(ctx, std::span(weighings.begin(), weighings.size()),
                        [](CheckContext& c, const notation::Weighing* weighing) {
                          return CheckWeightedSum(c, *weighing);
                        });
}

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_CURRENT_SUPPORT_H_
