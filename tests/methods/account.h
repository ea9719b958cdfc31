// An account number as the engine sees it: its ten digits and the context
// that holds them with the bank code.
#ifndef QUANDOR_TESTS_METHODS_ACCOUNT_H_
#define QUANDOR_TESTS_METHODS_ACCOUNT_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "methods/check_context.h"
#include "methods/check_result.h"
#include "methods/current/method_set.h"
#include "methods/runner.h"
#include "quandor/errors.h"

namespace quandor::methods::testing {

// Digits of a number of up to ten digits, right-aligned with leading zeros.
inline AccountDigits DigitsOf(std::string_view number) {
  AccountDigits digits{};
  const std::size_t offset = digits.size() - number.size();
  for (std::size_t i = 0; i < number.size(); ++i) digits[offset + i] = number[i] - '0';
  return digits;
}

inline std::string TextOf(const AccountDigits& digits) {
  std::string text;
  for (int digit : digits) text += static_cast<char>('0' + digit);
  return text;
}

class Account {
 public:
  explicit Account(std::string_view number, std::string_view bank_code = "10020030")
      : digits_(DigitsOf(number)), ctx_{digits_, bank_code} {}
  Account(const Account&) = delete;
  Account& operator=(const Account&) = delete;

  CheckContext& ctx() { return ctx_; }
  const AccountDigits& digits() const { return digits_; }
  AccountDigits& digits() { return digits_; }

 private:
  AccountDigits digits_;
  CheckContext ctx_;
};

// The verdict of the method runner for an account number under a method code
// (at a bank code, for the methods that read it).
inline int32_t Verdict(std::string_view code, std::string_view number,
                       std::string_view bank_code = "10020030") {
  Account account(number, bank_code);
  return RunCheckMethod(account.ctx(), code);
}

// The method number of a Bundesbank code ("06" is 6, "A4" is 104), or -1.
inline int32_t MethodNumberOf(std::string_view code) {
  if (code.size() != 2 || code[1] < '0' || code[1] > '9') return -1;
  int tens = -1;
  if (code[0] >= '0' && code[0] <= '9') tens = code[0] - '0';
  if (code[0] >= 'A' && code[0] <= 'E') tens = code[0] - 'A' + 10;
  return tens < 0 ? -1 : tens * 10 + (code[1] - '0');
}

// The verdict of today's method with the Bundesbank code ("06", "A4") for an
// account number at a bank code.
inline int32_t CurrentVerdict(std::string_view code, std::string_view number,
                              std::string_view bank_code = "10020030") {
  Account account(number, bank_code);
  return RunCurrentMethod(account.ctx(), MethodNumberOf(code));
}

}  // namespace quandor::methods::testing

namespace quandor::methods {

// How a failed expectation shows a CheckResult.
inline void PrintTo(const CheckResult& result, std::ostream* out) {
  *out << (result.accepted() ? "accepted" : result.rejected() ? "rejected" : "cannot check");
  if (const auto digit = result.expected()) *out << " with " << *digit;
}

}  // namespace quandor::methods

namespace quandor::methods::testing {

inline constexpr int32_t kValid = qdNoError;
inline constexpr int32_t kWrong = qdWrongCheckDigit;

// One account number and the verdict today's method gives it.
struct CurrentCase {
  std::string_view code;  // the Bundesbank's code, "06", "A4"
  std::string_view account;
  int32_t verdict;  // kValid or kWrong
  std::string_view bank_code = "10020030";
};

inline void ExpectCurrentVerdicts(std::span<const CurrentCase> cases) {
  for (const CurrentCase& c : cases) {
    EXPECT_EQ(CurrentVerdict(c.code, c.account, c.bank_code), c.verdict)
        << "method " << c.code << ", account " << c.account << ", bank code " << c.bank_code;
  }
}

inline void ExpectCurrentVerdicts(std::initializer_list<CurrentCase> cases) {
  ExpectCurrentVerdicts(std::span<const CurrentCase>(cases.begin(), cases.size()));
}

}  // namespace quandor::methods::testing

#endif  // QUANDOR_TESTS_METHODS_ACCOUNT_H_
