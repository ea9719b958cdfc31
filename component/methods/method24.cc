// Method 24: weights from the first significant digit, so that they do not
// depend on how many leading zeros the account number has.
#include <array>
#include <cstddef>

#include "methods/special_methods.h"

namespace quandor::methods {

CheckResult CheckMethod24(CheckContext& ctx) {
  constexpr std::array<int, 9> kWeights = {1, 2, 3, 1, 2, 3, 1, 2, 3};
  AccountDigits& digits = ctx.digits;
  const int account_check_digit = digits[9];  // read before any digit is cleared

  // Some leading digits mark no part of the account number: they are cleared
  // in the caller's digits.
  if (digits[0] >= 3 && digits[0] <= 6) {
    digits[0] = 0;
  } else if (digits[0] == 9) {
    digits[0] = digits[1] = digits[2] = 0;
  }

  int sum = 0;
  std::size_t weight_index = 0;
  for (std::size_t i = 0; i < 9; ++i) {
    // Weighing starts at the first digit that is not 0; from there zeros count too.
    if (weight_index == 0 && digits[i] == 0) continue;
    const int weight = kWeights[weight_index++];
    sum += (digits[i] * weight + weight) % 11;
  }

  return CheckResult::Compare(sum % 10, account_check_digit);
}

}  // namespace quandor::methods
