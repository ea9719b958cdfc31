// What a check method works on: the account digits and the bank code. The
// engine needs nothing else of a Banking object.
#ifndef QUANDOR_METHODS_CHECK_CONTEXT_H_
#define QUANDOR_METHODS_CHECK_CONTEXT_H_

#include <array>
#include <cstdint>
#include <string_view>

namespace quandor::methods {

// The ten digits of an account number, index 0 the leftmost, filled with
// leading zeros: index 9 always holds the last digit the user typed.
using AccountDigits = std::array<int, 10>;

// Whether every digit is 0..9. The routines index tables by digit, so they
// run only on such digits; the input checks never build others. One test per
// digit without a branch, as the answer is nearly always yes.
inline bool AllDecimal(const AccountDigits& digits) {
  bool outside = false;
  for (int digit : digits) outside |= static_cast<unsigned>(digit) > 9;
  return !outside;
}

struct CheckContext {
  AccountDigits& digits;       // some methods change leading digits in place
  std::string_view bank_code;  // the bank code's eight digits (methods 52 and 53)
};

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_CHECK_CONTEXT_H_
