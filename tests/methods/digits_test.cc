#include "methods/digits.h"

#include <array>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace quandor::methods {
namespace {

TEST(ParseDigitsTest, ReadsWeightsAndSkipsOtherCharacters) {
  EXPECT_EQ(ParseDigits("x1a P"), (std::vector<int>{kLeftOutWeight, 1, 10, kCheckDigitWeight}));
  EXPECT_EQ(ParseDigits("A98765P432"),
            (std::vector<int>{10, 9, 8, 7, 6, 5, kCheckDigitWeight, 4, 3, 2}));
  EXPECT_TRUE(ParseDigits("").empty());
}

TEST(CrossSumTest, SumsTheDigitsOfTheAbsoluteValueOnce) {
  EXPECT_EQ(CrossSum(18), 9);
  EXPECT_EQ(CrossSum(99), 18);
  EXPECT_EQ(CrossSum(0), 0);
  EXPECT_EQ(CrossSum(-123), 6);
  EXPECT_EQ(CrossSum(INT32_MIN), 47);  // 2147483648
}

TEST(CrossSumTest, IteratesDownToOneDigit) {
  EXPECT_EQ(IteratedCrossSum(99), 9);
  EXPECT_EQ(IteratedCrossSum(18), 9);
  EXPECT_EQ(IteratedCrossSum(7), 7);
  EXPECT_EQ(IteratedCrossSum(43), 7);
  EXPECT_EQ(IteratedCrossSum(-25), -25);
}

TEST(DigitsToNumberTest, ReadsARangeOfDigitsAsOneNumber) {
  constexpr std::array kDigits = {0, 0, 0, 0, 0, 6, 0, 0, 0, 0};
  EXPECT_EQ(DigitsToNumber(kDigits), 60000);
  constexpr std::array kTen = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  EXPECT_EQ(DigitsToNumber(kTen), 9876543210);
  EXPECT_EQ(DigitsToNumber(kTen, 0, 2), 987);
  EXPECT_EQ(DigitsToNumber(kTen, 7), 210);
  EXPECT_EQ(DigitsToNumber(std::span<const int>{}), -1);
  // A range outside the list reads nothing.
  EXPECT_EQ(DigitsToNumber(kTen, 0, 10), -1);
  EXPECT_EQ(DigitsToNumber(kTen, -1, 3), -1);
}

TEST(NextTokenTest, SplitsAtTheFirstSeparator) {
  std::string_view rule = "11,0;10,9";
  EXPECT_EQ(NextToken(rule, ';'), "11,0");
  EXPECT_EQ(rule, "10,9");
  EXPECT_EQ(NextToken(rule, ';'), "10,9");
  EXPECT_EQ(rule, "");

  std::string_view switch_rule = "2,9u3,9/10";
  EXPECT_EQ(NextToken(switch_rule, '/'), "2,9u3,9");
  EXPECT_EQ(switch_rule, "10");

  std::string_view trailing = "7,";
  EXPECT_EQ(NextToken(trailing, ','), "7");
  EXPECT_EQ(trailing, "");
}

}  // namespace
}  // namespace quandor::methods
