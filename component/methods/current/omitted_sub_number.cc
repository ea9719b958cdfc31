// Methods 50, 63 and 76: account numbers whose trailing sub-number may have
// been left off when it is all zeros. Such a number then stands further right
// in the ten places, and is read a second time there. The second reading is
// only tried when it drops nothing but leading zeros: a number that uses those
// places carries its sub-number.
#include <array>
#include <cstddef>

#include "methods/current/common_weighings.h"
#include "methods/current/current_methods.h"
#include "methods/current/current_support.h"

namespace quandor::methods::current {
namespace {

// True when the first count places hold zeros.
bool LeadsWithZeros(const AccountDigits& d, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (d[i] != 0) return false;
  }
  return true;
}

// Method 50: base number in places 1 to 6, check digit in 7, sub-number 8 to 10.
constexpr auto kBase50 = Weighing("765432PXXX", kPlain, 11, "11,0;10,0");
constexpr std::size_t kSubNumberLength50 = 3;

// Method 63: place 1 stays empty; base number in places 2 to 7, check digit
// in 8, sub-account in 9 and 10.
constexpr auto kBase63 = Weighing("X121212PXX", kCrossSum, 10, "10,0");
constexpr std::size_t kSubAccountLength63 = 2;

// Method 76: account kind in place 1, stem number in places 2 to 7 (its
// leading places zero when shorter), check digit in 8, sub-account in 9 and
// 10. The remainder modulo 11 is the check digit itself; 10 fits no number.
constexpr std::array<int, 6> kStemWeights76 = {7, 6, 5, 4, 3, 2};
constexpr std::size_t kSubAccountLength76 = 2;
constexpr int kNoCheckDigit76 = 10;

bool IsCheckedKind76(int digit) {
  return digit == 0 || digit == 4 || digit == 6 || digit == 7 || digit == 8 || digit == 9;
}

// Whether method 76 accepts the number read with its account kind at index
// kind (0, or 2 when the sub-account was left off).
bool Accepts76(const AccountDigits& d, std::size_t kind) {
  if (!IsCheckedKind76(d[kind])) return false;
  int sum = 0;
  for (std::size_t k = 0; k < kStemWeights76.size(); ++k) {
    sum += d[kind + 1 + k] * kStemWeights76[k];
  }
  const int remainder = sum % 11;
  return remainder != kNoCheckDigit76 && remainder == d[kind + 1 + kStemWeights76.size()];
}

}  // namespace

CheckResult Method50(CheckContext& ctx) {
  if (!LeadsWithZeros(ctx.digits, kSubNumberLength50)) return FirstAccepting(ctx, {&kBase50});
  return FirstAccepting(ctx, {&kBase50, &kPlaces4To9Mod11});
}

CheckResult Method63(CheckContext& ctx) {
  if (ctx.digits[0] != 0) return CheckResult::Rejected();
  if (!LeadsWithZeros(ctx.digits, 1 + kSubAccountLength63)) return FirstAccepting(ctx, {&kBase63});
  return FirstAccepting(ctx, {&kBase63, &kPlaces4To9As00});
}

CheckResult Method76(CheckContext& ctx) {
  if (Accepts76(ctx.digits, 0)) return CheckResult::Accepted(ctx.digits[7]);
  if (LeadsWithZeros(ctx.digits, kSubAccountLength76) &&
      Accepts76(ctx.digits, kSubAccountLength76)) {
    return CheckResult::Accepted(ctx.digits[kLastIndex]);
  }
  return CheckResult::Rejected();
}

}  // namespace quandor::methods::current
