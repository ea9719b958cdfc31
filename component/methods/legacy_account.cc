// Methods 52 and 53: the account number is checked in the form the bank's
// former internal account system gave it, rebuilt from bank code and account
// digits, modulo 11.
#include <array>
#include <cstddef>

#include "methods/special_methods.h"
#include "methods/special_support.h"
#include "methods/table_handover.h"

namespace quandor::methods {
namespace {

constexpr size_t kBankCodeLength = 8;
constexpr size_t kMaxLegacyLength = 12;  // bank part 4, next digit, check digit, tail up to 6
constexpr int kCheckPosition = 4;
constexpr int kFirstTailPosition = 5;
constexpr int kLastPosition = 10;

// Ten-digit account numbers beginning with 9 are newer ones, checked by this row.
constexpr int kNewAccountDigit = 9;
constexpr const char* kNewAccountRow = "20";

// The legacy account number, left to right, with the place of its check digit.
class LegacyNumber {
 public:
  void Append(int digit) { digits_[length_++] = digit; }
  void AppendCheckDigitPlace() {
    check_place_ = length_;
    Append(0);  // the unknown check digit adds nothing to the sum
  }

  // The check digit that makes the weighted sum of the number 10 modulo 11,
  // 0..10. The weight of a place counted from the right end (place 1 the
  // rightmost) is 2 to the power of the place, modulo 11.
  int ExpectedCheckDigit() const {
    int sum = 0;
    int weight = 2;
    int check_weight = 0;
    for (size_t idx = length_; idx-- > 0;) {
      sum += digits_[idx] * weight;
      if (idx == check_place_) check_weight = weight;
      weight = weight * 2 % 11;
    }
    const int r = sum % 11;
    // Every weight is prime to 11, so exactly one k fits.
    int k = 0;
    while (k < 10 && (r + check_weight * k) % 11 != 10) ++k;
    return k;
  }

 private:
  std::array<int, kMaxLegacyLength> digits_{};
  size_t length_ = 0;
  size_t check_place_ = 0;
};

}  // namespace

CheckResult CheckLegacyAccountNumber(CheckContext& ctx, bool bMethod53) {
  std::array<int, kBankCodeLength> bank{};
  size_t bank_length = 0;
  for (const char ch : ctx.bank_code) {
    if (ch < '0' || ch > '9') continue;
    if (bank_length == bank.size()) return CheckResult::CannotCheck();
    bank[bank_length++] = ch - '0';
  }
  if (bank_length != bank.size()) return CheckResult::CannotCheck();

  // Positions count from 1, for the bank code and the account number alike.
  auto bank_at = [&bank](int position) { return bank[static_cast<size_t>(position - 1)]; };
  auto account_at = [&ctx](int position) { return ctx.digits[static_cast<size_t>(position - 1)]; };

  int tail_start = kFirstTailPosition;
  while (tail_start <= kLastPosition && account_at(tail_start) == 0) ++tail_start;
  if (tail_start > kLastPosition)
    return CheckResult::CannotCheck();  // no tail to rebuild the number from

  LegacyNumber legacy;
  legacy.Append(bank_at(5));
  legacy.Append(bank_at(6));
  if (bMethod53) {
    legacy.Append(account_at(3));
    legacy.Append(bank_at(8));
    legacy.Append(account_at(2));
  } else {
    legacy.Append(bank_at(7));
    legacy.Append(bank_at(8));
    legacy.Append(account_at(3));
  }
  legacy.AppendCheckDigitPlace();
  for (int position = tail_start; position <= kLastPosition; ++position) {
    legacy.Append(account_at(position));
  }

  // An expected 10 never matches.
  return CheckResult::Compare(legacy.ExpectedCheckDigit(), account_at(kCheckPosition));
}

CheckResult CheckMethod52(CheckContext& ctx) {
  if (ctx.digits[0] == kNewAccountDigit) return CheckByTable(ctx, kNewAccountRow);
  return CheckLegacyAccountNumber(ctx, false);
}

CheckResult CheckMethod53(CheckContext& ctx) {
  if (ctx.digits[0] == kNewAccountDigit) return CheckByTable(ctx, kNewAccountRow);
  return CheckLegacyAccountNumber(ctx, true);
}

}  // namespace quandor::methods
