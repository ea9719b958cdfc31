// A pinned thread answers from the version of the files it pinned; every
// other thread, and the same thread once unpinned, sees changes at once.
#include "quandor/bank_file_pin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "quandor/banking.h"
#include "quandor/quandor.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

constexpr const char* kOld = "10000000;Altbank;Berlin;Altbank Berlin;09";
constexpr const char* kNew = "20000000;Neubank;Kiel;Neubank Kiel;09";

// Whether the thread finds each bank now.
std::string Finds(Banking& banking) {
  std::string found;
  found += banking.searchBank("10000000") ? "old" : "-";
  found += banking.searchBank("20000000") ? "+new" : "+-";
  return found;
}

TEST(BankFilePin, PinnedThreadKeepsItsVersionUntilThePinEnds) {
  testing::BankFileDir dir({kOld});
  testing::InFreshThread([&] {
    Banking banking;
    {
      BankFilePin pin;
      EXPECT_TRUE(BankFilePin::ThreadIsPinned());
      dir.Replace(testing::BankFileText({kNew}));
      EXPECT_EQ(Finds(banking), "old+-");
      dir.Remove();
      EXPECT_EQ(Finds(banking), "old+-");
      EXPECT_TRUE(banking.Validate("10000000", "1234567890") ||
                  banking.LastError() == qdWrongCheckDigit);
      EXPECT_TRUE(banking.SearchBankByText("altbank"));
      dir.Write({kNew});
      EXPECT_EQ(Finds(banking), "old+-");
    }
    EXPECT_FALSE(BankFilePin::ThreadIsPinned());
    EXPECT_EQ(Finds(banking), "-+new");
  });
}

TEST(BankFilePin, AFileMissingWhenPinnedStaysMissing) {
  testing::BankFileDir dir({kOld});
  testing::InFreshThread([&] {
    Banking banking;
    dir.Remove();
    BankFilePin pin;
    dir.Write({kOld});
    EXPECT_FALSE(banking.searchBank("10000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
    EXPECT_FALSE(banking.SearchBankByText("altbank"));
    EXPECT_EQ(banking.LastError(), qdBankNumberFileMissing);
  });
}

TEST(BankFilePin, DataPathAndDefaultRulesArePinnedToo) {
  testing::BankFileDir dir({kOld});
  testing::InFreshThread([&] {
    const std::string pinned_path = GetDataPath();
    const int32_t pinned_rules = GetDefaultRules();
    const int32_t pinned_host_rules = GetDefaultRules(qdRulesCurrent);
    BankFilePin pin;
    testing::ScopedEnv elsewhere("QUANDOR_DATA_DIR", "/nowhere/at/all");
    testing::ScopedEnv rules("QUANDOR_RULES",
                             pinned_rules == qdRulesCurrent ? "original" : "current");
    EXPECT_EQ(GetDataPath(), pinned_path);
    EXPECT_EQ(GetDefaultRules(), pinned_rules);
    EXPECT_EQ(GetDefaultRules(qdRulesCurrent), pinned_host_rules);
    Banking banking;
    EXPECT_EQ(Finds(banking), "old+-");
  });
}

TEST(BankFilePin, PinsNestInAnyOrder) {
  testing::BankFileDir dir({kOld});
  testing::InFreshThread([&] {
    Banking banking;
    auto outer = std::make_unique<BankFilePin>();
    dir.Replace(testing::BankFileText({kNew}));
    auto inner = std::make_unique<BankFilePin>();  // keeps the outer version
    EXPECT_EQ(Finds(banking), "old+-");
    outer.reset();
    EXPECT_EQ(Finds(banking), "old+-");
    inner.reset();
    EXPECT_EQ(Finds(banking), "-+new");
  });
}

TEST(BankFilePin, APinChangesNothingForOtherThreads) {
  testing::BankFileDir dir({kOld});
  std::atomic<int> step{0};
  auto wait_for = [&](int s) {
    while (step.load() < s) std::this_thread::yield();
  };
  std::string pinned_saw;
  std::string other_saw;
  std::thread pinned([&] {
    Banking banking;
    BankFilePin pin;
    step = 1;
    wait_for(2);
    pinned_saw = Finds(banking);
    step = 3;
  });
  std::thread other([&] {
    Banking banking;
    wait_for(1);
    EXPECT_FALSE(BankFilePin::ThreadIsPinned());
    dir.Replace(testing::BankFileText({kNew}));
    other_saw = Finds(banking);
    step = 2;
    wait_for(3);
  });
  pinned.join();
  other.join();
  EXPECT_EQ(pinned_saw, "old+-");
  EXPECT_EQ(other_saw, "-+new");
}

TEST(BankFilePin, CInterfacePairsPinAndUnpin) {
  testing::BankFileDir dir({kOld});
  testing::InFreshThread([&] {
    EXPECT_EQ(quandor_unpin_bank_file(), QUANDOR_E_INVALID_ARG);
    ASSERT_EQ(quandor_pin_bank_file(), QUANDOR_OK);
    ASSERT_EQ(quandor_pin_bank_file(), QUANDOR_OK);
    EXPECT_EQ(quandor_unpin_bank_file(), QUANDOR_OK);
    EXPECT_TRUE(BankFilePin::ThreadIsPinned());
    EXPECT_EQ(quandor_unpin_bank_file(), QUANDOR_OK);
    EXPECT_FALSE(BankFilePin::ThreadIsPinned());
    EXPECT_EQ(quandor_unpin_bank_file(), QUANDOR_E_INVALID_ARG);
  });
}

}  // namespace
}  // namespace quandor
