#include "methods/method_table.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "methods/digits.h"

namespace quandor::methods {
namespace {

TEST(GetMethodRowTest, ReturnsTheRowWithAllSevenFields) {
  const auto row = GetMethodRow("51");
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->Code, "51");
  EXPECT_EQ(row->Pattern, "XXX765432P");
  EXPECT_FALSE(row->UseCrossSum);
  EXPECT_EQ(row->Modulus, 11);
  EXPECT_EQ(row->Rule, "11,0;10,0");
  EXPECT_EQ(row->Fallback, "5102");
  EXPECT_EQ(row->Switch, "2,9u3,9/10");

  const auto variant = GetMethodRow("8503");
  ASSERT_TRUE(variant.has_value());
  EXPECT_EQ(variant->Modulus, 7);
  EXPECT_EQ(variant->Switch, "9,7o9,8o9,9/10000");
}

TEST(GetMethodRowTest, FindsOnlyTheExactText) {
  for (std::string_view code : {"05", " 5", "5 ", "9", "26", "", "10000", "+5", "0x5", "51a",
                                "5100", "5110", "0051", "00", "130", "-1"}) {
    EXPECT_FALSE(GetMethodRow(code).has_value()) << '"' << code << '"';
  }
  EXPECT_TRUE(GetMethodRow("5").has_value());
}

TEST(GetMethodRowTest, AChangedRowLeavesTheTableAsItIs) {
  auto row = GetMethodRow("0");
  ASSERT_TRUE(row.has_value());
  row->Pattern = "XXXXXXXXXP";
  row->Modulus = 7;
  row->Switch = "0,0/10000";
  const auto again = GetMethodRow("0");
  EXPECT_EQ(again->Pattern, "212121212P");
  EXPECT_EQ(again->Modulus, 10);
  EXPECT_EQ(again->Switch, "");
}

TEST(MethodTableTest, EveryRowIsWellFormed) {
  const auto rows = AllMethodRows();
  ASSERT_EQ(rows.size(), 111u);
  std::set<std::string_view> codes;
  int method_codes = 0;
  for (const MethodRow& row : rows) {
    SCOPED_TRACE(std::string(row.Code));
    EXPECT_TRUE(codes.insert(row.Code).second) << "code twice";
    if (row.Code.size() <= 2) ++method_codes;

    const auto weights = ParseDigits(row.Pattern);
    EXPECT_EQ(row.Pattern.size(), 10u);
    EXPECT_EQ(weights.size(), 10u);
    EXPECT_EQ(std::ranges::count(weights, kCheckDigitWeight), 1);

    EXPECT_TRUE(row.Modulus == 10 || row.Modulus == 11 || row.Modulus == 7 || row.Modulus == 9 ||
                (row.Modulus == 1 && row.Code == "54"));
    const bool empty_rule = row.Code == "5402" || row.Code == "9302" || row.Code == "9304";
    EXPECT_EQ(row.Rule.empty(), empty_rule);

    EXPECT_TRUE(row.Fallback.empty() || GetMethodRow(row.Fallback).has_value());
    if (!row.Switch.empty()) {
      const auto target = row.Switch.substr(row.Switch.find('/') + 1);
      EXPECT_TRUE(target == "10000" || GetMethodRow(target).has_value()) << target;
    }
    const auto found = GetMethodRow(row.Code);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->Pattern, row.Pattern);
  }
  EXPECT_EQ(method_codes, 68);
}

TEST(MethodTableTest, MethodCodesWithoutARow) {
  const std::set<int> without_row = {9,  17, 21, 22, 24, 25, 26, 27, 29, 31, 35,
                                     45, 52, 53, 56, 59, 61, 65, 68, 69, 74, 75,
                                     76, 77, 78, 79, 87, 89, 95, 96, 97, 99};
  for (int method = 0; method <= 99; ++method) {
    EXPECT_EQ(GetMethodRow(std::to_string(method)).has_value(), !without_row.contains(method))
        << method;
  }
}

}  // namespace
}  // namespace quandor::methods
