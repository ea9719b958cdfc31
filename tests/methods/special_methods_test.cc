// The special methods that guard a table row, weigh on their own, start at
// the first significant digit, or transform digits (08 to 45).
#include <string_view>

#include <gtest/gtest.h>

#include "account.h"
#include "methods/runner.h"
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

using testing::Account;
using testing::TextOf;
using testing::Verdict;

struct VerdictCase {
  std::string_view code;
  std::string_view account;
  int32_t verdict;
};

std::ostream& operator<<(std::ostream& out, const VerdictCase& c) {
  return out << "method " << c.code << ", account " << c.account;
}

class SpecialMethodTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(SpecialMethodTest, GivesTheVerdict) {
  const VerdictCase& c = GetParam();
  EXPECT_EQ(Verdict(c.code, c.account), c.verdict);
}

constexpr int32_t kValid = qdNoError;
constexpr int32_t kWrong = qdWrongCheckDigit;

INSTANTIATE_TEST_SUITE_P(
    Method08, SpecialMethodTest,
    ::testing::Values(VerdictCase{"8", "60004", kValid},  // row "0": sum 6, value 4
                      VerdictCase{"8", "60000", kWrong},  // row "0" expects 4
                      VerdictCase{"8", "59999", kWrong}, VerdictCase{"8", "0", kWrong}));

INSTANTIATE_TEST_SUITE_P(Method09, SpecialMethodTest,
                         ::testing::Values(VerdictCase{"9", "0000000000", kValid},
                                           VerdictCase{"9", "1234567890", kValid}));

INSTANTIATE_TEST_SUITE_P(
    Method25, SpecialMethodTest,
    ::testing::Values(VerdictCase{"25", "812345690", kValid},   // value 10, second digit 8
                      VerdictCase{"25", "712345680", kWrong},   // value 10, second digit 7
                      VerdictCase{"25", "1812345690", kWrong},  // ten digits
                      VerdictCase{"25", "609011111", kValid},   // row "2502" accepts
                      VerdictCase{"25", "609011112", kWrong}));

INSTANTIATE_TEST_SUITE_P(Method41, SpecialMethodTest,
                         ::testing::Values(VerdictCase{"41", "1239123456", kValid},
                                           VerdictCase{"41", "1119123456", kValid},
                                           VerdictCase{"41", "1234567897", kValid},
                                           VerdictCase{"41", "1234567890", kWrong}));

INSTANTIATE_TEST_SUITE_P(
    Method45, SpecialMethodTest,
    ::testing::Values(VerdictCase{"45", "123456789", kValid},   // first digit 0: no check
                      VerdictCase{"45", "1234123456", kValid},  // fifth digit 1: no check
                      VerdictCase{"45", "1119803649", kValid},  // row "0" accepts
                      VerdictCase{"45", "1234567890", kWrong}));

INSTANTIATE_TEST_SUITE_P(
    Method17, SpecialMethodTest,
    ::testing::Values(VerdictCase{"17", "1234567900", kValid},  // sum 24, r 1, check digit 9
                      VerdictCase{"17", "1234567999", kValid},  // the last two digits play no part
                      VerdictCase{"17", "1234567800", kWrong},
                      VerdictCase{"17", "0446786000", kValid},  // sum 34, r 0
                      VerdictCase{"17", "1000000000", kWrong},  // r -1: check digit 11
                      VerdictCase{"17", "9000000099", kWrong}));

INSTANTIATE_TEST_SUITE_P(
    Method21, SpecialMethodTest,
    ::testing::Values(VerdictCase{"21", "1234567893", kValid},  // sum 43, digit 7
                      VerdictCase{"21", "1234567890", kWrong},
                      VerdictCase{"21", "0000000000", kWrong}));  // check digit 10

INSTANTIATE_TEST_SUITE_P(
    Method22, SpecialMethodTest,
    ::testing::Values(VerdictCase{"22", "1234567895", kValid},  // units digits sum 45
                      VerdictCase{"22", "1000000007", kValid},  // sum 3
                      VerdictCase{"22", "1234567890", kWrong},
                      VerdictCase{"22", "0000000000", kValid}));  // 10 becomes 0

INSTANTIATE_TEST_SUITE_P(
    Method24, SpecialMethodTest,
    ::testing::Values(VerdictCase{"24", "1383017", kValid},  // terms 2, 8, 5, 4, 2, 6
                      VerdictCase{"24", "1383018", kWrong},
                      VerdictCase{"24", "3066", kValid},        // the zero in the middle counts
                      VerdictCase{"24", "9120001385", kValid},  // 9 clears three digits
                      VerdictCase{"24", "4000001385", kValid},  // 4 becomes 0
                      VerdictCase{"24", "7000001384", kValid},  // 7 stays and starts
                      VerdictCase{"24", "0000000000", kValid},
                      VerdictCase{"24", "6000000000", kValid},
                      VerdictCase{"24", "0000000001", kWrong}));

INSTANTIATE_TEST_SUITE_P(
    Method27, SpecialMethodTest,
    ::testing::Values(VerdictCase{"27", "1234567895", kValid},  // ten digits: transformation
                      VerdictCase{"27", "1234567890", kWrong},
                      VerdictCase{"27", "123456782", kValid},  // nine digits: row "0"
                      VerdictCase{"27", "123456785", kWrong},
                      VerdictCase{"27", "0", kValid}));  // 0: transformation, sum 0

INSTANTIATE_TEST_SUITE_P(
    Method29, SpecialMethodTest,
    ::testing::Values(VerdictCase{"29", "1234567895", kValid},  // images sum 45
                      VerdictCase{"29", "1234567890", kWrong},
                      VerdictCase{"29", "1000000009", kValid},  // image of 1 in row 0
                      VerdictCase{"29", "100000009", kValid},   // taken unchanged
                      VerdictCase{"29", "0000000000", kValid}));

TEST(SpecialMethodTest, Method25AcceptsTheValueTenWithItsOwnRule) {
  Account account("812345690");
  EXPECT_EQ(CheckMethod25(account.ctx()), 10);
  EXPECT_EQ(account.error(), qdNoError);
}

TEST(SpecialMethodTest, Method41ClearsTheLeadingDigitsInTheCallersArray) {
  Account account("1119123456");
  // Row "0" alone rejects the digits as typed.
  Account as_typed("1119123456");
  CheckByTable(as_typed.ctx(), "0");
  EXPECT_EQ(as_typed.error(), qdWrongCheckDigit);

  CheckMethod41(account.ctx());
  EXPECT_EQ(account.error(), qdNoError);
  EXPECT_EQ(TextOf(account.digits()), "0009123456");

  Account untouched("1234567897");
  CheckMethod41(untouched.ctx());
  EXPECT_EQ(TextOf(untouched.digits()), "1234567897");
}

TEST(SpecialMethodTest, Method24ClearsTheLeadingDigitsInTheCallersArray) {
  struct Case {
    std::string_view account;
    std::string_view seen;
  };
  for (const Case& c : {Case{"9120001385", "0000001385"}, Case{"4000001385", "0000001385"},
                        Case{"7000001384", "7000001384"}, Case{"2999999999", "2999999999"}}) {
    Account account(c.account);
    CheckMethod24(account.ctx());
    EXPECT_EQ(TextOf(account.digits()), c.seen);
  }
}

TEST(SpecialMethodTest, OwnWeightsReturnTheirCheckDigit) {
  Account m17("1234567900");
  EXPECT_EQ(CheckMethod17(m17.ctx()), 9);
  Account m21("1234567890");
  EXPECT_EQ(CheckMethod21(m21.ctx()), -1);
  EXPECT_EQ(m21.error(), qdWrongCheckDigit);
  Account m22("1000000007");
  EXPECT_EQ(CheckMethod22(m22.ctx()), 7);
  Account m24("7000001384");
  EXPECT_EQ(CheckMethod24(m24.ctx()), 4);
}

TEST(TransformationTest, SumsTheImagesOfTheFirstNineDigits) {
  struct Case {
    std::string_view account;
    int check_digit;
  };
  for (const Case& c : {Case{"1234567890", 5}, Case{"1000000000", 9}, Case{"100000000", 9},
                        Case{"0000000000", 0}, Case{"0000010030", 0}}) {
    Account account(c.account);
    EXPECT_EQ(TransformationCheckDigit(account.ctx()), c.check_digit) << c.account;
    EXPECT_EQ(account.error(), qdNoError);
  }
}

TEST(TransformationTest, ADigitOutsideZeroToNineIsAFailure) {
  Account account("1234567890");
  account.digits()[2] = 10;
  EXPECT_EQ(TransformationCheckDigit(account.ctx()), 0);
  EXPECT_EQ(account.error(), qdUnknownError);

  Account method29("1234567890");
  method29.digits()[8] = -4;
  EXPECT_EQ(CheckMethod29(method29.ctx()), -1);
  EXPECT_EQ(method29.error(), qdUnknownError);
}

}  // namespace
}  // namespace quandor::methods
