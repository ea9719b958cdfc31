// Weighings that several of today's methods name: the customer number in
// places 4 to 9 or 5 to 9, weighed as by method 06 (modulus 11 or 7) or as by
// method 00. Written once, read when the component is compiled.
#ifndef QUANDOR_METHODS_CURRENT_COMMON_WEIGHINGS_H_
#define QUANDOR_METHODS_CURRENT_COMMON_WEIGHINGS_H_

#include "methods/current/current_support.h"

namespace quandor::methods::current {

inline constexpr auto kPlaces4To9Mod11 = Weighing("XXX765432P", kPlain, 11, "11,0;10,0");
inline constexpr auto kPlaces5To9Mod11 = Weighing("XXXX65432P", kPlain, 11, "11,0;10,0");
// Modulus 7: no remainder gives check digit 0.
inline constexpr auto kPlaces4To9Mod7 = Weighing("XXX765432P", kPlain, 7, "7,0");
inline constexpr auto kPlaces5To9Mod7 = Weighing("XXXX65432P", kPlain, 7, "7,0");
// Method 00's weights and cross sums over places 4 to 9.
inline constexpr auto kPlaces4To9As00 = Weighing("XXX121212P", kCrossSum, 10, "10,0");

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_COMMON_WEIGHINGS_H_
