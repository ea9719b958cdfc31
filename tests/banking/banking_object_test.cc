#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>
#include <utility>

#include "quandor/banking.h"
#include "quandor/iban.h"
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

// A few messages in both languages as hosts read them, and values between
// and around the codes without one.
TEST(ErrorText, GermanByDefaultAndEnglishOnRequest) {
  struct Case {
    int32_t code;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {qdNoError, "Kein Fehler", "No error"},
      {qdWrongCheckDigit, "Kontonummer ist falsch", "Account number is wrong"},
      {qdTestingMethodUnknown, "Keine Pr\u00fcfmethode hinterlegt", "No check method on record"},
      {qdCardNumberIncorrectly, "Kreditkartennummer hat falsches Format",
       "Credit card number has the wrong format"},
      {qdUnknownError, "Unbekannter Fehler", "Unknown error"},
      {-1, "", ""},
      {12, "", ""},
      {256, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetErrorText(c.code), c.german) << c.code;
    EXPECT_EQ(GetErrorText(c.code, TextLanguage::kGerman), c.german) << c.code;
    EXPECT_EQ(GetErrorText(c.code, TextLanguage::kEnglish), c.english) << c.code;
  }
}

// No code lacks a text in either language, and no two codes share one.
TEST(ErrorText, EveryCodeHasItsOwnTextInEachLanguage) {
#define QUANDOR_CODE(name, ...) name,
  const int32_t errors[] = {QUANDOR_ERRORS(QUANDOR_CODE)};
  const int32_t verdicts[] = {QUANDOR_IBAN_ERRORS(QUANDOR_CODE)};
#undef QUANDOR_CODE
  using TextOf = std::string (*)(int32_t, TextLanguage);
  const std::pair<std::span<const int32_t>, TextOf> lists[] = {{errors, &GetErrorText},
                                                               {verdicts, &GetIbanErrorText}};
  for (TextLanguage lang : {TextLanguage::kGerman, TextLanguage::kEnglish}) {
    for (const auto& [codes, text_of] : lists) {
      std::set<std::string> seen;
      for (int32_t code : codes) {
        const std::string text = text_of(code, lang);
        EXPECT_FALSE(text.empty()) << code;
        EXPECT_TRUE(seen.insert(text).second) << text;
      }
    }
  }
}

}  // namespace
}  // namespace quandor
