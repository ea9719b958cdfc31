// Today's method set as a whole: which numbers name a method, and their codes.
#include <gtest/gtest.h>

#include <string>

#include "account.h"
#include "quandor/banking.h"

namespace quandor::methods::testing {
namespace {

TEST(TestingMethodCode, NamesEveryNumberAsTheBundesbankWritesIt) {
  const struct {
    int32_t number;
    std::string code;
  } cases[] = {{-1, ""},    {0, "00"},   {6, "06"},   {99, "99"},  {100, "A0"},  {104, "A4"},
               {108, "A8"}, {118, "B8"}, {144, "E4"}, {149, "E9"}, {150, "150"}, {4464, "4464"}};
  for (const auto& c : cases) EXPECT_EQ(TestingMethodCode(c.number), c.code) << c.number;
}

TEST(CurrentMethodSet, NumbersWithoutAMethodToday) {
  // "frei" in the Bundesbank's list, beyond E4, and no method number at all.
  for (int32_t number : {12, 145, 149, 150, -1, 4464}) {
    Account account("1234567890");
    EXPECT_EQ(RunCurrentMethod(account.ctx(), number), qdTestingMethodUnknown) << number;
  }
}

TEST(CurrentMethodSet, EveryOtherCodeUpToE4GivesAVerdict) {
  for (int32_t number = 0; number <= 144; ++number) {
    if (number == 12) continue;
    for (const char* account_number : {"1234567890", "9290701", "0"}) {
      Account account(account_number);
      const int32_t verdict = RunCurrentMethod(account.ctx(), number);
      EXPECT_NE(verdict, qdTestingMethodUnknown) << CurrentMethodCode(number);
      EXPECT_NE(verdict, qdUnknownError) << CurrentMethodCode(number);
    }
  }
}

}  // namespace
}  // namespace quandor::methods::testing
