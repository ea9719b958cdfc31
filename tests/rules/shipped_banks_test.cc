// Every bank of the shipped bank code file gets a verdict by today's rules.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <fstream>
#include <random>
#include <string>

#include "quandor/banking.h"

namespace quandor {
namespace {

TEST(ShippedBanks, EveryBankHasAMethodToday) {
  const std::string dir = QUANDOR_SOURCE_DIR "/data";
  ::setenv("QUANDOR_DATA_DIR", dir.c_str(), 1);
  std::ifstream file(dir + "/blz.txt");
  ASSERT_TRUE(file) << dir;
  Banking current;
  current.Rules(qdRulesCurrent);
  Banking original;
  original.Rules(qdRulesOriginal);
  std::mt19937_64 random(20260608);
  std::uniform_int_distribution<int64_t> accounts(1, 9'999'999'999);
  int banks = 0;
  int letter_methods = 0;
  for (std::string line; std::getline(file, line); ++banks) {
    const std::string code = line.substr(0, 8);
    for (int i = 0; i < 3; ++i) {
      const std::string account = std::to_string(accounts(random));
      current.Validate(code, account);
      EXPECT_NE(current.LastError(), qdTestingMethodUnknown)
          << code << " " << account << " method " << TestingMethodCode(current.UsedTestingMethod());
      EXPECT_NE(current.LastError(), qdUnknownError) << code << " " << account;
    }
    original.Validate(code, "1234567890");
    if (original.UsedTestingMethod() >= 100) {
      ++letter_methods;
      EXPECT_EQ(original.LastError(), qdTestingMethodUnknown) << code;
    }
  }
  EXPECT_GT(banks, 3000);
  EXPECT_GT(letter_methods, 0);
  ::unsetenv("QUANDOR_DATA_DIR");
}

}  // namespace
}  // namespace quandor
