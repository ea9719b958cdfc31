#include <gtest/gtest.h>

#include <utility>

#include "quandor/banking.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::BankFileDir;
using testing::InFreshThread;

const std::string_view kMusterbank = "10000000;Musterbank;Berlin;Musterbank Berlin;09";

void ExpectEmptyBankTexts(const Banking& b) {
  EXPECT_EQ(b.BankName(), "");
  EXPECT_EQ(b.BankCity(), "");
  EXPECT_EQ(b.BankNumber(), "");
  EXPECT_EQ(b.AccountNumber(), "");
  EXPECT_EQ(b.BankComplete(), "");
}

TEST(BankingObject, NewWithFile) {
  BankFileDir dir({kMusterbank});
  InFreshThread([] {
    Banking b;
    EXPECT_EQ(b.LastError(), qdNoValidation);
    EXPECT_EQ(b.LastErrorString(), "Keine Prüfung durchgeführt");
    EXPECT_FALSE(b.Validated());
    EXPECT_EQ(b.UsedTestingMethod(), -1);
    EXPECT_EQ(b.Strictness(), qdStrictnessNormal);
    EXPECT_EQ(b.AmountFoundBanks(), -1);
    EXPECT_FALSE(b.IsBankFound());
    ExpectEmptyBankTexts(b);
  });
}

TEST(BankingObject, NewWithoutFileRefusesValidate) {
  BankFileDir dir({kMusterbank});
  dir.Remove();
  InFreshThread([&] {
    Banking b;
    EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
    EXPECT_EQ(b.LastErrorString(), "Bankleitzahlendatei nicht gefunden");
    EXPECT_TRUE(b.Validated());
    EXPECT_FALSE(b.Validate("10000000", "1"));
    EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
    EXPECT_EQ(b.BankNumber(), "");
    // The next object of the thread tries the file again.
    dir.Write({kMusterbank});
    Banking again;
    EXPECT_EQ(again.LastError(), qdNoValidation);
    EXPECT_TRUE(again.searchBank("10000000"));
  });
}

TEST(BankingObject, ResetKeepsStrictnessAndSearch) {
  BankFileDir dir({kMusterbank});
  InFreshThread([] {
    Banking b;
    b.Strictness(7);
    EXPECT_EQ(b.Strictness(), 7);
    ASSERT_TRUE(b.SearchBankByText("Muster"));
    ASSERT_TRUE(b.searchBank("10000000"));
    b.Reset();
    ExpectEmptyBankTexts(b);
    EXPECT_EQ(b.LastError(), qdNoValidation);
    EXPECT_FALSE(b.Validated());
    EXPECT_EQ(b.UsedTestingMethod(), -1);
    EXPECT_EQ(b.Strictness(), 7);
    EXPECT_EQ(b.AmountFoundBanks(), 1);
    EXPECT_TRUE(b.IsBankFound());
  });
}

// Every code of the enumeration with its message, and values between and
// around the codes without one.
TEST(ErrorText, Messages) {
  const std::pair<int32_t, const char*> messages[] = {
      {qdNoValidation, "Keine Pr\u00fcfung durchgef\u00fchrt"},
      {qdNoError, "Kein Fehler"},
      {qdWrongCheckDigit, "Kontonummer ist falsch"},
      {qdBankNumberMissing, "Bankleitzahl fehlt"},
      {qdAccountNumberMissing, "Kontonummer fehlt"},
      {qdBankNumberWrongDigits, "Bankleitzahl hat falsche Anzahl Stellen"},
      {qdAccountNumberWrongDigits, "Kontonummer hat falsche Anzahl Stellen"},
      {qdBankNumberUnknown, "Bankleitzahl nicht bekannt"},
      {qdTestingMethodUnknown, "Keine Pr\u00fcfmethode hinterlegt"},
      {qdBankNumberFileMissing, "Bankleitzahlendatei nicht gefunden"},
      {qdAccountNumberIncorrectly, "Kontonummer hat falsches Format"},
      {qdBankNumberIncorrectly, "Bankleitzahl hat falsches Format"},
      {qdCardWrongCheckDigit, "Kreditkartennummer ist falsch"},
      {qdCardCompanyMissing, "Kein Kreditkarteninstitut angegeben"},
      {qdCardNumberMissing, "Keine Kreditkartennummer angegeben"},
      {qdCompanyNumberUnknown, "Unbekanntes Kreditkarteninstitut"},
      {qdCardNumberIncorrectly, "Kreditkartennummer hat falsches Format"},
      {qdNoBankFound, "Keine Bank gefunden"},
      {qdUnknownError, "Unbekannter Fehler"},
      {-1, ""},
      {12, ""},
      {101, ""},
      {105, ""},
      {199, ""},
      {256, ""},
  };
  for (const auto& [code, text] : messages) {
    EXPECT_EQ(GetErrorText(code), text) << code;
  }
}

}  // namespace
}  // namespace quandor
