// The special check methods of the original set, each run through the method
// runner the way Validate runs it, and some routines run on their own.
// Expected verdicts were worked out by hand from the rows each method hands
// over to.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "account.h"
#include "methods/check_context.h"
#include "methods/runner.h"
#include "methods/special_methods.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

using testing::Account;
using testing::DigitsOf;
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
constexpr int32_t kCannotCheck = qdUnknownError;

// The bank whose legacy account numbers methods 52 and 53 rebuild.
constexpr std::string_view kBankCode = "10020030";

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
  EXPECT_EQ(CheckMethod25(account.ctx()), CheckResult::Accepted(10));
}

TEST(SpecialMethodTest, Method41ClearsTheLeadingDigitsInTheCallersArray) {
  Account account("1119123456");
  // Row "0" alone rejects the digits as typed.
  Account as_typed("1119123456");
  EXPECT_TRUE(CheckByTable(as_typed.ctx(), "0").rejected());

  EXPECT_TRUE(CheckMethod41(account.ctx()).accepted());
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
  EXPECT_EQ(CheckMethod17(m17.ctx()), CheckResult::Accepted(9));
  Account m21("1234567890");
  EXPECT_TRUE(CheckMethod21(m21.ctx()).rejected());
  Account m22("1000000007");
  EXPECT_EQ(CheckMethod22(m22.ctx()), CheckResult::Accepted(7));
  Account m24("7000001384");
  EXPECT_EQ(CheckMethod24(m24.ctx()), CheckResult::Accepted(4));
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
  }
}

TEST(TransformationTest, ADigitOutsideZeroToNineIsAFailure) {
  Account account("1234567890");
  account.digits()[2] = 10;
  EXPECT_EQ(TransformationCheckDigit(account.ctx()), std::nullopt);

  Account method29("1234567890");
  method29.digits()[8] = -4;
  EXPECT_TRUE(CheckMethod29(method29.ctx()).cannot_check());
}

// The routines that rebuild, chain or choose a row (52 to 97), run as Validate runs them.

struct Case {
  const char* account;
  int32_t verdict;
};

void ExpectVerdicts(std::string_view code, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(Verdict(code, c.account), c.verdict)
        << "method " << code << ", account " << c.account;
  }
}

TEST(Method87, StageAAcceptsTheStateMachineExamples) {
  ExpectVerdicts("87", {
                           {"0000000406", kValid},
                           {"0000051768", kValid},
                           {"0010701590", kValid},  // a5 falls to -12 on the way
                           {"0010720185", kValid},  // d2 flips where c2 and d2 differ
                       });
}

TEST(Method87, ShiftByFiveOnlyWhenPositionFourIsZero) {
  ExpectVerdicts("87", {
                           // positions 4 to 9 zero: p is 0, shifted to 5
                           {"0000000005", kValid},
                           {"1230000005", kValid},
                           {"0000000001", kWrong},
                           // position 4 zero: both p and p shifted are accepted
                           {"4960820401", kValid},
                           {"4960820406", kValid},
                           // position 4 not zero: 6828233029 passes, its shifted twin does not
                           {"6828233029", kValid},
                           {"6828233024", kWrong},
                       });
}

TEST(Method87, LaterStagesDecideWhatStageARejects) {
  ExpectVerdicts("87", {
                           {"8675650889", kValid},  // row "33"
                           {"2914177763", kValid},  // row "8703"
                           {"1706690743", kWrong},  // no stage
                           // stage A cannot compute; row "33" accepts, its failure does not stand
                           {"0000000000", kValid},
                       });
}

TEST(Method87, StageAAloneReportsWhatItCannotCompute) {
  EXPECT_TRUE(CheckMethod87A(DigitsOf("0000000000")).cannot_check());
  EXPECT_EQ(CheckMethod87A(DigitsOf("0010701590")), CheckResult::Accepted(0));
}

TEST(Method52, RebuildsTheLegacyAccountNumber) {
  ExpectVerdicts("52", {
                           {"0090001234", kValid},  // 00309P1234
                           {"0091001234", kWrong},
                           {"8890001234", kValid},  // positions 1 and 2 take no part
                           {"0092010203", kValid},  // inner zeros of the tail stay: 00309P10203
                           {"0090010203", kWrong},
                       });
}

TEST(Method52, ExpectedDigitTenRejectsEveryNumber) {
  for (char digit = '0'; digit <= '9'; ++digit) {
    const std::string account = std::string("004") + digit + "001234";
    EXPECT_EQ(Verdict("52", account), kWrong) << account;
  }
}

TEST(Method53, RebuildsTheLegacyAccountNumber) {
  ExpectVerdicts("53", {
                           {"260012345", kValid},   // 00602P12345
                           {"1260012345", kValid},  // position 1 takes no part
                           {"0261012345", kWrong},
                       });
}

TEST(Methods52And53, TenDigitsBeginningWithNineGoToRow20) {
  for (const char* code : {"52", "53"}) {
    ExpectVerdicts(code, {{"9123456784", kValid}, {"9123456780", kWrong}});
  }
}

TEST(Methods52And53, CannotCheckWithoutTailOrBankCode) {
  for (const char* code : {"52", "53"}) {
    ExpectVerdicts(code, {{"0090000000", kCannotCheck}, {"0260000000", kCannotCheck}});
    EXPECT_EQ(Verdict(code, "0090001234", ""), kCannotCheck);
    EXPECT_EQ(Verdict(code, "0090001234", "1002003"), kCannotCheck);
    EXPECT_EQ(Verdict(code, "0090001234", "100200300"), kCannotCheck);
  }
  EXPECT_EQ(Verdict("52", "0090001234", "100 200 30"), kValid);
}

TEST(Method76, AccountKindAndTwoTries) {
  ExpectVerdicts("76", {
                           {"0000001200", kValid},  // first try, remainder 2 at position 8
                           {"4000001200", kValid},
                           {"9000001299", kValid},  // positions 9 and 10 take no part
                           {"1000001200", kWrong},  // kinds 1, 2, 3 and 5 carry no check digit
                           {"2000001200", kWrong},
                           {"3000001200", kWrong},
                           {"5000001200", kWrong},
                           {"0000001004", kValid},  // second try, two places further right
                           {"0000001002", kWrong},
                           {"0010001004", kWrong},  // second try needs a valid kind at position 3
                           {"0000005009", kWrong},  // remainder 10 ends it before the second try
                           {"0123456780", kWrong},
                       });
}

TEST(Method77, EitherWeightSetDividesBy11) {
  ExpectVerdicts("77", {
                           {"0000000000", kValid},
                           {"1234500000", kValid},  // positions 1 to 5 take no part
                           {"0000000019", kValid},  // first set: 2 + 9
                           {"0000000018", kValid},  // second set: 4 + 40
                           {"0000000017", kWrong},
                       });
}

TEST(Method97, RemainderOfTheNumberBeforeTheCheckDigit) {
  ExpectVerdicts("97", {
                           {"0000000110", kValid},
                           {"0000000100", kValid},  // remainder 10 means 0
                           {"0000000101", kWrong},
                           {"9999999999", kValid},  // 999999999 mod 11 is 9
                           {"9999999990", kWrong},
                       });
}

TEST(Method68, RangesAndRows) {
  ExpectVerdicts("68", {
                           {"0400000000", kValid},  // 400000000 to 499999999 need no check
                           {"0499999999", kValid},
                           {"0399999999", kWrong},  // row "0" and row "6803" decide
                           {"0399999994", kValid},
                           {"0500000000", kWrong},
                           {"0500000005", kValid},
                           {"0876232860", kValid},  // row "0" rejects, row "6803" accepts
                           {"1234567890", kWrong},  // ten digits need 9 at position 4
                           {"1239567892", kValid},  // row "6802"
                           {"1239567890", kWrong},
                       });
}

TEST(Method69, RangesAndRows) {
  ExpectVerdicts("69", {
                           {"9300000000", kValid},  // 9300000000 to 9399999999 need no check
                           {"9399999999", kValid},
                           {"9312345678", kValid},
                           {"9299999899", kWrong},
                           {"9700000007", kValid},  // 97...: the transformation only
                           {"9799999992", kValid},
                           {"9720418179", kValid},
                           {"9700000000", kWrong},  // row "28" would accept it
                           {"9723409559", kWrong},
                           {"9699999399", kValid},  // outside 97...: row "28"
                           {"1234401074", kValid},
                           {"4584038854", kValid},  // row "28" rejects, the transformation accepts
                           {"1241672110", kWrong},
                       });
}

TEST(Method74, HalfDecadeRuleForSixDigits) {
  ExpectVerdicts("74", {
                           {"0000123455", kValid},  // row "7402"
                           {"0001234566", kValid},
                           {"0000530704", kValid},  // sum 11: expected 4
                           {"0000203054", kValid},
                           {"0000530705", kWrong},
                           {"0000590005", kValid},  // sum 10: expected 5, row "7402" wants 0
                           {"0000300332", kWrong},  // sum 15: expected 5
                           {"0001234565", kWrong},  // seven digits get no second chance
                       });
}

TEST(Method96, RowsThenRange) {
  ExpectVerdicts("96", {
                           {"5260181590", kValid},  // row "19"
                           {"8190937865", kValid},  // row "0"
                           {"0001300000", kValid},  // 1300000 to 99399999 after both rows fail
                           {"0099399999", kValid},
                           {"0001299998", kWrong},
                           {"0099400000", kWrong},
                           {"1797543231", kWrong},
                       });
}

TEST(Method56, RemainderRuleByFirstDigit) {
  ExpectVerdicts("56", {
                           {"0123456785", kValid},  // row "5602"
                           {"0000000008", kWrong},  // "5602": value 11 has no check digit
                           {"0000000067", kWrong},  // "5602": value 10 has none either
                           {"0000000000", kWrong},
                           {"9000000008", kValid},  // row "5603"
                           {"9000000048", kValid},  // "5603": value 11 means 8
                           {"9000000137", kValid},  // "5603": value 10 means 7
                           {"9000000040", kWrong},
                       });
}

TEST(Method59, ShortNumbersNeedNoCheck) {
  ExpectVerdicts("59", {
                           {"0012345678", kValid},
                           {"0000000001", kValid},
                           {"0123456789", kWrong},  // row "0"
                           {"0123456782", kValid},
                           {"1234567897", kValid},
                           {"1234567890", kWrong},
                       });
}

TEST(Method61And65, PositionNineChoosesTheRow) {
  ExpectVerdicts("61", {
                           {"1234567680", kValid},  // 8 at position 9: row "6103"
                           {"1234567480", kWrong},
                           {"1234567410", kValid},  // row "6102"
                           {"1234567310", kWrong},
                       });
  ExpectVerdicts("65", {
                           {"1234567590", kValid},  // 9 at position 9: row "6503"
                           {"1234567490", kWrong},
                           {"1234567410", kValid},  // row "6502"
                           {"1234567680", kWrong},
                       });
}

TEST(Method63, TenDigitsAreWrong) {
  ExpectVerdicts("63", {
                           {"1234567600", kWrong},  // row "63" would accept it
                           {"0123456600", kValid},  // row "63"
                           {"0001234566", kValid},  // its fallback row "6302"
                           {"0123456500", kWrong},
                       });
}

TEST(Method75, LongNumbersAreMovedIntoTheFrame) {
  ExpectVerdicts("75", {
                           {"0000123455", kValid},  // up to seven digits: unchanged
                           {"0000123458", kWrong},
                           {"0001234567", kValid},
                           {"0001234560", kWrong},
                           {"0012344000", kValid},  // eight digits: moved by three
                           {"0012345000", kWrong},
                           {"0912345500", kValid},  // nine digits, first 9: moved by two
                           {"0912345599", kValid},
                           {"0912345600", kWrong},
                           {"0812345500", kWrong},
                           {"0123455000", kValid},  // nine digits, other first digit: by three
                           {"0123456000", kWrong},
                           {"9912345500", kValid},  // ten digits, 9 at position 2: by two
                           {"9912345600", kWrong},
                           {"1234567890", kValid},  // ten digits: by three
                       });
}

TEST(Method78, EightDigitsAreWrong) {
  ExpectVerdicts("78", {
                           {"0012345678", kWrong},
                           {"0012345675", kWrong},
                           {"0001234566", kValid},  // row "0"
                           {"0001234567", kWrong},
                           {"0123456782", kValid},
                           {"0123456789", kWrong},
                           {"1234567897", kValid},
                       });
}

TEST(Method79, FirstDigitChoosesTheRow) {
  ExpectVerdicts("79", {
                           {"0000000000", kWrong},  // row "0" would accept it
                           {"7000000000", kWrong},
                           {"8000000000", kWrong},
                           {"3234567893", kValid},  // 3 to 6: row "0"
                           {"1234567897", kWrong},  // 1, 2 and 9: row "7902"
                           {"1234567825", kValid},
                           {"9234567841", kValid},
                           {"2234567819", kValid},
                       });
}

TEST(Method89, RangeChoosesTheRow) {
  ExpectVerdicts("89", {
                           {"0999999990", kValid},  // eight or nine digits: row "10"
                           {"0999999999", kWrong},
                           {"0010000003", kValid},
                           {"0009999991", kValid},  // seven digits: row "8902"
                           {"0001000004", kValid},
                           {"0001000000", kWrong},
                           {"0000999990", kWrong},  // six digits: wrong, row "8902" would accept
                           {"1000000001", kWrong},  // ten digits: wrong, row "10" would accept
                       });
}

TEST(Method95, RangesNeedNoCheck) {
  ExpectVerdicts("95", {
                           {"0000000001", kValid},
                           {"0001999999", kValid},
                           {"0396000000", kValid},
                           {"0499999999", kValid},
                           {"0700000000", kValid},
                           {"0799999999", kValid},
                           {"0002000000", kWrong},  // row "6"
                           {"0002000008", kValid},
                           {"0395999999", kWrong},
                           {"0395999990", kValid},
                           {"0000000000", kValid},  // row "6" as well
                       });
}

TEST(Method95, SomeTenDigitNumbersAreCheckedWithoutTheirFirstThreeDigits) {
  ExpectVerdicts("95", {
                           {"1235456789", kValid},  // checked as 0005456789
                           {"1236956785", kValid},  // checked as 0006956785
                           {"1236956780", kWrong},  // row "6" would accept it unchanged
                           {"1236856786", kValid},  // 6 not followed by 9: unchanged
                           {"1236856780", kWrong},
                       });
}

TEST(SpecialMethods, ShiftedDigitsServeTheCheckOnly) {
  for (const char* code : {"75", "87", "95"}) {
    for (const char* account : {"1236956785", "0912345500", "0010701590"}) {
      AccountDigits digits = DigitsOf(account);
      const AccountDigits before = digits;
      CheckContext ctx{digits, kBankCode};
      RunCheckMethod(ctx, code);
      EXPECT_EQ(digits, before) << "method " << code << ", account " << account;
    }
  }
}

}  // namespace
}  // namespace quandor::methods
