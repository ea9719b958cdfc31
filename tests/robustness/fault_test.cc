// The bank code file changing under a loaded index, very large files, and
// hostile input texts: every call answers with an error code, never a crash.
#include <gtest/gtest.h>

#include <string>

#include "quandor/banking.h"
#include "quandor/creditcard.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::BankFileDir;
using testing::InFreshThread;

constexpr std::string_view kMuster = "10000000;Musterbank;Berlin;Musterbank Berlin;09";
constexpr std::string_view kNord = "20000000;Nordbank;Hamburg;Nordbank Hamburg;00";

// A file of n banks with codes 10000000, 10000001, ... and method 09.
std::string NumberedBankFile(int n) {
  std::string text;
  text.reserve(static_cast<std::size_t>(n) * 40);
  for (int i = 0; i < n; ++i) {
    std::string code = std::to_string(10000000 + i);
    text += code + ";Bank " + code + ";Stadt;Bank;09\r\n";
  }
  return text;
}

TEST(BankFileFaults, DeletedAfterTheIndexWasLoaded) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    ASSERT_TRUE(banking.Validate("10000000", "12345"));
    dir.Remove();

    EXPECT_FALSE(banking.Validate("10000000", "12345"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
    EXPECT_EQ(banking.UsedTestingMethod(), -1);
    EXPECT_FALSE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
    EXPECT_FALSE(banking.SearchBankInfo("10000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberFileMissing);
  });
}

TEST(BankFileFaults, ReplacedFileIsReadAtOnce) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    ASSERT_TRUE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.BankName(), "Nordbank");

    // Same bank code on the same line, new name: the new line is read.
    dir.Replace(testing::BankFileText({kMuster, "20000000;Nordbank Neu;Kiel;Nordbank Kiel;00"}));
    ASSERT_TRUE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.BankName(), "Nordbank Neu");
    EXPECT_EQ(banking.BankCity(), "Kiel");

    // Another bank now on that line: never handed out for the old code.
    dir.Replace(testing::BankFileText({kMuster, "30000000;Südbank;München;Südbank;00"}));
    EXPECT_FALSE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
  });
}

TEST(BankFileFaults, TruncatedBetweenLoadAndLookup) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    dir.Write({kMuster});
    EXPECT_TRUE(banking.searchBank("10000000"));
    EXPECT_FALSE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);

    dir.Write("");
    EXPECT_FALSE(banking.Validate("10000000", "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
  });
}

TEST(BankFileFaults, GrowingPast100000Lines) {
  BankFileDir dir(NumberedBankFile(1000));
  InFreshThread([&] {
    Banking banking;
    dir.Write(NumberedBankFile(120000));
    // The index was loaded once: banks it holds are still found on their
    // lines, banks added later are not in it.
    EXPECT_TRUE(banking.Validate("10000999", "1"));
    EXPECT_FALSE(banking.Validate("10110000", "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
  });
  InFreshThread([&] {
    Banking banking;  // a new thread loads the grown file
    EXPECT_TRUE(banking.Validate("10110000", "1"));
  });
}

TEST(BankFileFaults, MillionLinesLoadAndAnswer) {
  BankFileDir dir(NumberedBankFile(1000000));
  InFreshThread([&] {
    Banking banking;
    ASSERT_EQ(banking.LastError(), qdNoValidation);
    for (int i : {0, 1, 32767, 32768, 500000, 999999}) {
      std::string code = std::to_string(10000000 + i);
      EXPECT_TRUE(banking.searchBank(code)) << code;
      EXPECT_EQ(banking.BankName(), "Bank " + code);
    }
    EXPECT_FALSE(banking.searchBank("11000000"));
    EXPECT_TRUE(banking.SearchBankByText("Bank 10999999", qdSearchName));
    EXPECT_EQ(banking.AmountFoundBanks(), 1);
  });
}

TEST(HostileInput, HugeTextsAndNulBytesAndInvalidUtf8) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    const std::string megabyte_digits(1 << 20, '7');
    const std::string megabyte_noise(1 << 20, '\xff');
    const std::string with_nul(
        "10000000\0"
        "99",
        11);

    EXPECT_FALSE(banking.Validate(megabyte_digits, "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberWrongDigits);
    EXPECT_FALSE(banking.Validate("10000000", megabyte_digits));
    EXPECT_EQ(banking.LastError(), qdAccountNumberWrongDigits);
    EXPECT_FALSE(banking.Validate(megabyte_noise, "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberMissing);
    EXPECT_FALSE(banking.Validate("10000000", megabyte_noise));
    EXPECT_EQ(banking.LastError(), qdAccountNumberMissing);

    // A NUL is an ordinary non-digit: dropped at normal strictness.
    EXPECT_FALSE(banking.Validate(with_nul, "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberWrongDigits);
    EXPECT_TRUE(banking.Validate("10000000", std::string("12\0"
                                                         "34",
                                                         5)));
    banking.Strictness(qdStrictnessStrict);
    EXPECT_FALSE(banking.Validate("10000000", std::string("12\0"
                                                          "34",
                                                          5)));
    EXPECT_EQ(banking.LastError(), qdAccountNumberIncorrectly);
    banking.Strictness(qdStrictnessLow);
    EXPECT_TRUE(banking.Validate("10000000",
                                 "12\xc3\x28\xa0"
                                 "34"));

    EXPECT_FALSE(banking.SearchBankInfo(megabyte_noise));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
    EXPECT_FALSE(banking.SearchBankByText(megabyte_noise));
    EXPECT_EQ(banking.LastError(), qdNoBankFound);
    EXPECT_TRUE(banking.SearchBankByText("\xc3", qdSearchAll) ||
                banking.LastError() == qdNoBankFound);
  });
}

TEST(HostileInput, CardNumbersOfFortyThousandCharacters) {
  Creditcard card;
  const std::string digits(40000, '4');
  EXPECT_FALSE(card.Validate(ccVisa, digits));
  EXPECT_EQ(card.LastError(), qdUnknownError);
  EXPECT_FALSE(card.Validate(ccVisa, std::string(40000, '\0')));
  EXPECT_EQ(card.LastError(), qdUnknownError);
  EXPECT_TRUE(card.Validate(ccVisa, "4111111111111111"));
}

}  // namespace
}  // namespace quandor
