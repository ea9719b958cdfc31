// Today's method E1: the digits' character codes weighed modulo 11.
#include <array>
#include <cstddef>

#include "methods/current/current_methods.h"
#include "methods/special_support.h"

namespace quandor::methods::current {
namespace {

// Weights of digits 1 to 9, left to right.
constexpr std::array<int, 9> kWeightsE1 = {9, 10, 11, 6, 5, 4, 3, 2, 1};
constexpr int kCodeOfZero = '0';  // the digits are weighed by their ASCII codes
constexpr int kNoCheckDigit = 10;

}  // namespace

CheckResult MethodE1(CheckContext& ctx) {
  int sum = 0;
  for (std::size_t i = 0; i < kWeightsE1.size(); ++i) {
    sum += (kCodeOfZero + ctx.digits[i]) * kWeightsE1[i];
  }
  const int check_digit = sum % 11;
  if (check_digit == kNoCheckDigit) return CheckResult::Rejected();
  return CheckResult::Compare(check_digit, ctx.digits[kLastIndex]);
}

}  // namespace quandor::methods::current
