// What a check routine answers: the account number is accepted (with the
// check digit it was checked against), rejected, or cannot be checked (input
// the routine cannot take). Routines of both rule sets, table rows and chains
// of them all answer with it; only the runner turns it into an error code.
#ifndef QUANDOR_METHODS_CHECK_RESULT_H_
#define QUANDOR_METHODS_CHECK_RESULT_H_

#include <cstdint>
#include <limits>
#include <optional>

#include "quandor/errors.h"

namespace quandor::methods {

class CheckResult {
 public:
  static constexpr CheckResult Accepted(int digit) { return {Outcome::kAccepted, digit}; }

  // expected: the check digit a computation expected, where one was computed
  // (it may be 10, 11 or -1, which no digit equals).
  static constexpr CheckResult Rejected(int expected = kNoDigit) {
    return {Outcome::kRejected, expected};
  }

  static constexpr CheckResult CannotCheck() { return {Outcome::kCannotCheck, kNoDigit}; }

  // Accepted when the account's check digit equals the expected one.
  static constexpr CheckResult Compare(int expected, int check_digit) {
    return expected == check_digit ? Accepted(expected) : Rejected(expected);
  }

  constexpr bool accepted() const { return outcome_ == Outcome::kAccepted; }
  constexpr bool rejected() const { return outcome_ == Outcome::kRejected; }
  constexpr bool cannot_check() const { return outcome_ == Outcome::kCannotCheck; }

  // The check digit accepted or expected; nothing when none was computed.
  constexpr std::optional<int> expected() const {
    return digit_ == kNoDigit ? std::nullopt : std::optional<int>(digit_);
  }

  // The verdict as LastError reports it: qdNoError, qdWrongCheckDigit or
  // qdUnknownError.
  constexpr int32_t error() const { return static_cast<int32_t>(outcome_); }

  friend constexpr bool operator==(const CheckResult&, const CheckResult&) = default;

 private:
  // The outcomes are the error codes themselves, so that error() costs nothing.
  enum class Outcome : int32_t {
    kAccepted = qdNoError,
    kRejected = qdWrongCheckDigit,
    kCannotCheck = qdUnknownError,
  };
  static constexpr int kNoDigit = std::numeric_limits<int>::min();

  constexpr CheckResult(Outcome outcome, int digit) : outcome_(outcome), digit_(digit) {}

  Outcome outcome_;
  int digit_;
};

}  // namespace quandor::methods

#endif  // QUANDOR_METHODS_CHECK_RESULT_H_
