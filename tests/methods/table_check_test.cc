// The weighted check of one row, the generic check with its switches and
// fallback chains, and the runner.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "account.h"
#include "methods/method_table.h"
#include "methods/runner.h"
#include "methods/weighted_sum.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

using testing::Account;

struct RowCase {
  std::string_view code;
  std::string_view account;
  int32_t verdict;
  std::optional<int> expected;
};

std::ostream& operator<<(std::ostream& out, const RowCase& c) {
  return out << "row " << c.code << ", account " << c.account;
}

class WeightedSumTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(WeightedSumTest, GivesTheVerdictAndExpectedCheckDigit) {
  const RowCase& c = GetParam();
  const auto row = GetMethodRow(c.code);
  ASSERT_TRUE(row.has_value());
  Account account(c.account);
  const CheckResult result = CheckWeightedSum(account.ctx(), *row);
  EXPECT_EQ(result.expected(), c.expected);
  EXPECT_EQ(result.error(), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, WeightedSumTest,
    ::testing::Values(
        // Products 0,1,4,3,8,5,12,7,16 enter as cross sums: sum 38, value 2.
        RowCase{"0", "123456782", qdNoError, 2}, RowCase{"0", "123456789", qdWrongCheckDigit, 2},
        // Sum 12, value 10, which means the digit at index 8.
        RowCase{"16", "100000133", qdNoError, 3}, RowCase{"16", "100000130", qdWrongCheckDigit, 3},
        RowCase{"6", "123456785", qdNoError, 5},
        // The check digit is the seventh digit; the last three take no part.
        RowCase{"23", "1084364697", qdNoError, 4}, RowCase{"23", "1084364920", qdNoError, 4},
        RowCase{"23", "1084365697", qdWrongCheckDigit, 4},
        // Values that no check digit can equal.
        RowCase{"54", "4939059584", qdWrongCheckDigit, -1},
        RowCase{"5602", "0000000000", qdWrongCheckDigit, -1},
        RowCase{"5402", "0000000000", qdWrongCheckDigit, 11},
        RowCase{"9302", "0000000000", qdWrongCheckDigit, 7},
        RowCase{"9304", "0000000000", qdWrongCheckDigit, 7},
        RowCase{"8503", "0000000000", qdNoError, 0},
        RowCase{"5603", "0000000000", qdWrongCheckDigit, 8},
        RowCase{"5603", "0000000008", qdNoError, 8}));

TEST(WeightedSumTest, ValueTenUnderRuleElevenZeroIsNeverAccepted) {
  for (char check_digit = '0'; check_digit <= '9'; ++check_digit) {
    std::string number = "540091714";
    number += check_digit;
    Account account(number);
    EXPECT_EQ(CheckWeightedSum(account.ctx(), *GetMethodRow("2")), CheckResult::Rejected(10))
        << number;
  }
}

TEST(WeightedSumTest, AllZerosPassEveryModulusTenRow) {
  int rows = 0;
  for (const MethodRow& row : AllMethodRows()) {
    if (row.Modulus != 10 || row.Rule != "10,0") continue;
    ++rows;
    Account account("0000000000");
    EXPECT_EQ(CheckWeightedSum(account.ctx(), row), CheckResult::Accepted(0)) << row.Code;
  }
  EXPECT_GT(rows, 30);
}

TEST(WeightedSumTest, TheRightmostOfTwoCheckDigitPositionsCounts) {
  Account account("5000000000");
  EXPECT_EQ(CheckWeightedSum(account.ctx(), {"t", "P00000000P", false, 10, "10,0", "", ""}),
            CheckResult::Accepted(0));
}

TEST(WeightedSumTest, AMalformedRowFailsOnlyWhereTheCheckReachesIt) {
  struct Case {
    MethodRow row;
    int32_t verdict;
  };
  const std::vector<Case> cases = {
      {{"t", "21212P", true, 10, "10,0", "", ""}, qdUnknownError},          // too few weights
      {{"t", "", true, 10, "10,0", "", ""}, qdUnknownError},                // no pattern
      {{"t", "212121212P", true, 0, "10,0", "", ""}, qdUnknownError},       // no modulus
      {{"t", "212121212P", true, 10, "10,x", "", ""}, qdUnknownError},      // replacement
      {{"t", "212121212P", true, 10, "10,SK=12", "", ""}, qdUnknownError},  // index
      {{"t", "212121212P", true, 10, "10", "", ""}, qdUnknownError},        // no replacement
      {{"t", "212121212P", true, 10, "x,0;10,0", "", ""}, qdUnknownError},  // key
      // The sum of 0000000000 gives the value 10: the entries after the match
      // and those whose key differs are never read.
      {{"t", "212121212P", true, 10, "10,0;x,1", "", ""}, qdNoError},
      {{"t", "212121212P", true, 10, "9,x;10,0", "", ""}, qdNoError},
  };
  for (const Case& c : cases) {
    Account account("0000000000");
    const CheckResult result = CheckWeightedSum(account.ctx(), c.row);
    EXPECT_EQ(result.error(), c.verdict) << c.row.Pattern << " " << c.row.Rule;
    EXPECT_EQ(result.expected().has_value(), c.verdict != qdUnknownError);
  }
}

TEST(WeightedSumTest, ADigitOutsideZeroToNineIsAFailure) {
  Account account("123456782");
  account.digits()[4] = 12;
  EXPECT_EQ(CheckWeightedSum(account.ctx(), *GetMethodRow("0")), CheckResult::CannotCheck());
}

// An account number that runs the whole chain from code: every row before
// the last rejects it, the last accepts it.
struct ChainCase {
  std::string_view account;
  std::vector<std::string_view> rows;  // the chain, from the code checked
};

std::ostream& operator<<(std::ostream& out, const ChainCase& c) {
  return out << "chain from " << c.rows.front() << ", account " << c.account;
}

class FallbackChainTest : public ::testing::TestWithParam<ChainCase> {};

TEST_P(FallbackChainTest, ReachesTheLastRowOfTheChain) {
  const ChainCase& c = GetParam();
  std::optional<int> last_expected;
  for (std::size_t i = 0; i < c.rows.size(); ++i) {
    Account alone(c.account);
    const CheckResult row = CheckWeightedSum(alone.ctx(), *GetMethodRow(c.rows[i]));
    last_expected = row.expected();
    EXPECT_EQ(row.error(), i + 1 < c.rows.size() ? qdWrongCheckDigit : qdNoError)
        << "row " << c.rows[i];
  }
  Account account(c.account);
  const CheckResult chain = CheckByTable(account.ctx(), c.rows.front());
  EXPECT_EQ(chain.expected(), last_expected);
  EXPECT_TRUE(chain.accepted());
}

INSTANTIATE_TEST_SUITE_P(
    Table, FallbackChainTest,
    ::testing::Values(
        ChainCase{"6091390996", {"13", "1302"}}, ChainCase{"12345676", {"13", "1302"}},
        ChainCase{"0308246281", {"49", "4902"}}, ChainCase{"5559797114", {"50", "5002"}},
        ChainCase{"7887838483", {"51", "5102", "5103"}}, ChainCase{"9340722470", {"63", "6302"}},
        ChainCase{"0443198296", {"80", "8002"}}, ChainCase{"7407188181", {"83", "8302", "8303"}},
        ChainCase{"7602077642", {"84", "8402"}}, ChainCase{"7082276544", {"85", "8502", "8503"}},
        ChainCase{"8364507495", {"86", "8602"}},
        ChainCase{"1253287046", {"90", "9002", "9003", "9004", "9005"}},
        ChainCase{"5810862019", {"91", "9102", "9103"}},
        ChainCase{"8443180243", {"93", "9302", "9303", "9304"}},
        ChainCase{"5849243372", {"98", "32"}}));

// An account number whose digits take the row's switch: the row itself would
// reject it, the switch's target accepts it.
struct SwitchCase {
  std::string_view code;
  std::string_view account;
  std::string_view target;
};

std::ostream& operator<<(std::ostream& out, const SwitchCase& c) {
  return out << "switch of " << c.code << " to " << c.target << ", account " << c.account;
}

class SwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTest, UsesTheTargetRowInstead) {
  const SwitchCase& c = GetParam();
  Account alone(c.account);
  EXPECT_TRUE(CheckWeightedSum(alone.ctx(), *GetMethodRow(c.code)).rejected());

  Account target(c.account);
  const CheckResult expected = CheckWeightedSum(target.ctx(), *GetMethodRow(c.target));
  EXPECT_TRUE(expected.accepted());

  Account account(c.account);
  EXPECT_EQ(CheckByTable(account.ctx(), c.code), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SwitchTest,
    ::testing::Values(SwitchCase{"51", "99123452", "10"}, SwitchCase{"51", "4699356044", "10"},
                      SwitchCase{"54", "4939059584", "5402"},
                      SwitchCase{"70", "8275702739", "7002"},
                      SwitchCase{"70", "2376905323", "7002"},
                      SwitchCase{"73", "7699558162", "7302"}, SwitchCase{"80", "6499277843", "10"},
                      SwitchCase{"81", "7792729907", "10"}, SwitchCase{"82", "0499729498", "10"},
                      SwitchCase{"84", "5399387808", "10"}, SwitchCase{"85", "3099208695", "8504"},
                      SwitchCase{"86", "0792379888", "10"}, SwitchCase{"88", "0599471191", "8802"},
                      SwitchCase{"90", "5199339064", "9006"}));

TEST(CheckByTableTest, AndBindsTighterThanOr) {
  // 3206115705: index 3 is 6 but index 4 is not 9, so row 70 decides, though
  // row 7002 would accept.
  Account target("3206115705");
  EXPECT_TRUE(CheckWeightedSum(target.ctx(), *GetMethodRow("7002")).accepted());

  Account account("3206115705");
  EXPECT_TRUE(CheckByTable(account.ctx(), "70").rejected());
}

TEST(CheckByTableTest, ARejectedChainReportsItsLastRow) {
  // Row 13 expects 4 in the eighth digit, row 1302 expects 6 at the end.
  Account account("1234567");
  EXPECT_EQ(CheckByTable(account.ctx(), "13"), CheckResult::Rejected(6));

  // 9912345 has 0 at index 2: no switch, rows 51, 5102 and 5103 decide.
  Account no_switch("9912345");
  EXPECT_EQ(CheckByTable(no_switch.ctx(), "51"), CheckResult::Rejected(0));
}

TEST(CheckByTableTest, TheSwitchOfAFallbackRowRejectsOutright) {
  // Rows 85 and 8502 reject; at 8503 the last digit 7 switches to "10000".
  Account account("2117850257");
  EXPECT_EQ(CheckByTable(account.ctx(), "85"), CheckResult::Rejected());
}

TEST(CheckByTableTest, ACodeWithoutARowIsUnknown) {
  for (std::string_view code : {"26", "9", "10000", "", "05"}) {
    Account account("123456782");
    EXPECT_EQ(RunCheck(account.ctx(), nullptr, FindTableRow(code)), qdTestingMethodUnknown) << code;
    // A routine that hands over to such a code cannot check.
    EXPECT_EQ(CheckByTable(account.ctx(), code), CheckResult::CannotCheck()) << code;
  }
}

TEST(CheckByTableTest, AFailureEndsTheChain) {
  Account account("1234567");
  account.digits()[0] = 12;
  EXPECT_EQ(CheckByTable(account.ctx(), "13"), CheckResult::CannotCheck());
}

TEST(RunCheckMethodTest, VerdictsOfThePaths) {
  using testing::Verdict;
  EXPECT_EQ(Verdict("0", "123456782"), qdNoError);
  EXPECT_EQ(Verdict("0", "123456789"), qdWrongCheckDigit);
  EXPECT_EQ(Verdict("51", "99123452"), qdNoError);
  EXPECT_EQ(Verdict("10000", "123456782"), qdWrongCheckDigit);
  for (std::string_view code :
       {"26", "31", "35", "99", "100", "", "05", "09", "9 ", "2501", "0017"}) {
    EXPECT_EQ(Verdict(code, "123456782"), qdTestingMethodUnknown) << code;
  }
  // Codes 8 and 41 have rows, but their special routines decide: row "8"
  // alone would accept 59998.
  EXPECT_EQ(Verdict("8", "59998"), qdWrongCheckDigit);
}

TEST(RunCheckMethodTest, ANumberGivesTheVerdictOfItsText) {
  // Variant codes and "10000" are numbers too.
  std::vector<int32_t> numbers = {-1, 1302, 4102, 10000};
  for (int32_t number = 0; number < kMethodNumberCount; ++number) numbers.push_back(number);
  for (const int32_t number : numbers) {
    for (std::string_view digits :
         {"123456782", "9290701", "1234567890", "3900000009", "5500000000", "0", "bad"}) {
      Account by_text(digits == "bad" ? "0" : digits);
      Account by_number(digits == "bad" ? "0" : digits);
      if (digits == "bad") by_text.digits()[0] = by_number.digits()[0] = 10;
      EXPECT_EQ(RunCheckMethod(by_number.ctx(), number),
                RunCheckMethod(by_text.ctx(), std::to_string(number)))
          << number << ", " << digits;
      EXPECT_EQ(by_number.digits(), by_text.digits()) << number << ", " << digits;
    }
  }
}

TEST(RunCheckMethodTest, ADigitOutsideZeroToNineIsAFailure) {
  for (std::string_view code : {"0", "9", "24", "29"}) {
    Account account("1234567895");
    account.digits()[0] = -1;
    EXPECT_EQ(RunCheckMethod(account.ctx(), code), qdUnknownError) << code;
  }
}

}  // namespace
}  // namespace quandor::methods
