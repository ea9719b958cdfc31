#include "bankdir/bank_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

TEST(FindBankLine, AgreesWithALinearSearch) {
  // Codes of several lengths, with duplicates and bytes above 0x7F, sorted by character code.
  const std::vector<std::string> pool = {
      "",         "1",         "10000000", "10000000",
      "1000000",  "100000000", "20000000", "2000000\xC3\xA4",
      "37050198", "37050199",  "99999999", std::string("1\0", 2)};
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> codes(1 + random() % 40);
    for (auto& code : codes) code = pool[random() % pool.size()];
    std::sort(codes.begin(), codes.end());
    BankIndex index;
    for (std::size_t i = 0; i < codes.size(); ++i)
      index.Add(codes[i], static_cast<int64_t>(2 * i + 1));
    for (const std::string& key : pool) {
      int32_t error = qdNoError;
      const int64_t line = FindBankLine(index, key, error);
      EXPECT_EQ(error, qdNoError);
      const bool present = std::find(codes.begin(), codes.end(), key) != codes.end();
      if (!present) {
        EXPECT_EQ(line, -1) << "round " << round << " key " << key;
      } else {
        ASSERT_GE(line, 0) << "round " << round << " key " << key;
        EXPECT_EQ(index.code(static_cast<std::size_t>(line - 1) / 2), key);
      }
    }
  }
}

// The table must give the bisection's own answer: the same one of several
// equal codes, and nothing for a code that an out-of-order index hides from it.
TEST(FindBankLine, LookupTableAnswersAsTheBisection) {
  const std::vector<std::string> pool = {"",         "1",        "10000000",
                                         "1000000",  "20000000", "37050198",
                                         "37050199", "99999999", std::string("1\0", 2),
                                         "100000001"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> codes(1 + random() % 40);
    for (auto& code : codes) code = pool[random() % pool.size()];
    if (round % 3 != 0) std::sort(codes.begin(), codes.end());
    BankIndex bisected;
    for (std::size_t i = 0; i < codes.size(); ++i) bisected.Add(codes[i], static_cast<int64_t>(i));
    BankIndex tabled = bisected;
    tabled.BuildLookupTable();
    ASSERT_TRUE(tabled.has_lookup_table());
    ASSERT_FALSE(bisected.has_lookup_table());
    for (const std::string& key : pool) {
      int32_t error = qdNoError;
      EXPECT_EQ(FindBankLine(tabled, key, error), FindBankLine(bisected, key, error))
          << "round " << round << " key " << key;
      EXPECT_EQ(error, qdNoError);
    }
  }
}

TEST(FindBankLine, AddingDropsTheLookupTable) {
  BankIndex index;
  index.Add("10000000", 0);
  index.BuildLookupTable();
  index.Add("20000000", 1);
  EXPECT_FALSE(index.has_lookup_table());
  int32_t error = qdNoError;
  EXPECT_EQ(FindBankLine(index, "20000000", error), 1);
}

TEST(FindBankLine, EmptyIndexIsAFailure) {
  int32_t error = qdNoError;
  EXPECT_EQ(FindBankLine({}, "10000000", error), -1);
  EXPECT_EQ(error, qdUnknownError);
}

}  // namespace
}  // namespace quandor::bankdir
