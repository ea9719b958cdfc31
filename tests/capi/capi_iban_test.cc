// IBANs through the C interface: verdicts handed out whole as owned texts,
// the bank connection checked by a Banking handle, and argument failures that
// leave every out cleared.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "capi_test_support.h"
#include "quandor/quandor.h"

namespace quandor::capi_test {
namespace {

// An IBAN result taken over from the library, texts freed.
struct Verdict {
  int32_t iban_error = -1;
  int32_t account_error = -1;
  quandor_bool valid = 77;
  std::string iban, bank_number, account_number;
};

Verdict TakeResult(quandor_iban_result& result) {
  Verdict verdict{result.iban_error, result.account_error,     result.valid,
                  Take(result.iban), Take(result.bank_number), Take(result.account_number)};
  result = {};
  return verdict;
}

// A result struct as a careless host hands it in: anything but zero.
quandor_iban_result Garbage() {
  static char sentinel[] = "garbage";
  return {9, 9, 9, sentinel, sentinel, sentinel};
}

bool IsZero(const quandor_iban_result& r) {
  return r.iban_error == 0 && r.account_error == 0 && r.valid == 0 && r.iban == nullptr &&
         r.bank_number == nullptr && r.account_number == nullptr;
}

struct IbanCase {
  const char* input;
  int32_t iban_error;
  int32_t account_error;
  quandor_bool valid;
  const char* iban;
  const char* bank_number;
  const char* account_number;
};

void ExpectVerdict(const Verdict& got, const IbanCase& want) {
  EXPECT_EQ(std::tie(got.iban_error, got.account_error, got.valid),
            std::tie(want.iban_error, want.account_error, want.valid));
  EXPECT_EQ(std::tie(got.iban, got.bank_number, got.account_number),
            std::tuple(std::string(want.iban), std::string(want.bank_number),
                       std::string(want.account_number)));
}

constexpr int32_t kUnchecked = quandor_qdNoValidation;

TEST(CapiIban, CheckJudgesFormAndCheckDigitsOnly) {
  const IbanCase cases[] = {
      {"DE11 1203 0000 0123 4567 82", quandor_qdIbanOk, kUnchecked, QUANDOR_TRUE,
       "DE11120300000123456782", "12030000", "0123456782"},
      {"de11120300000123456789", quandor_qdIbanWrongCheckDigits, kUnchecked, QUANDOR_FALSE,
       "DE11120300000123456789", "", ""},
      // Right check digits at an unknown bank: check does not look further.
      {"DE32999999990123456782", quandor_qdIbanOk, kUnchecked, QUANDOR_TRUE,
       "DE32999999990123456782", "99999999", "0123456782"},
      {"GB82 WEST 1234 5698 7654 32", quandor_qdIbanOk, kUnchecked, QUANDOR_TRUE,
       "GB82WEST12345698765432", "", ""},
      {"GB83WEST12345698765432", quandor_qdIbanWrongCheckDigits, kUnchecked, QUANDOR_FALSE,
       "GB83WEST12345698765432", "", ""},
      {"XX11120300000123456782", quandor_qdIbanCountryUnknown, kUnchecked, QUANDOR_FALSE,
       "XX11120300000123456782", "", ""},
      {"DE1112030000012345678", quandor_qdIbanWrongLength, kUnchecked, QUANDOR_FALSE,
       "DE1112030000012345678", "", ""},
      {"DE11-1203-0000-0123-4567-82", quandor_qdIbanIncorrectly, kUnchecked, QUANDOR_FALSE, "", "",
       ""},
      {"DE11 \xC3\x9C\xFF", quandor_qdIbanIncorrectly, kUnchecked, QUANDOR_FALSE, "", "", ""},
      {"   ", quandor_qdIbanMissing, kUnchecked, QUANDOR_FALSE, "", "", ""},
  };
  for (const IbanCase& c : cases) {
    SCOPED_TRACE(c.input);
    quandor_iban_result result = Garbage();
    ASSERT_EQ(quandor_iban_check(c.input, &result), QUANDOR_OK);
    ExpectVerdict(TakeResult(result), c);
  }
}

TEST(CapiIban, ValidateChecksTheGermanBankConnectionWithTheBankingObject) {
  const IbanCase cases[] = {
      {"DE11120300000123456782", quandor_qdIbanOk, quandor_qdNoError, QUANDOR_TRUE,
       "DE11120300000123456782", "12030000", "0123456782"},
      {"DE16120300000123456789", quandor_qdIbanOk, quandor_qdWrongCheckDigit, QUANDOR_FALSE,
       "DE16120300000123456789", "12030000", "0123456789"},
      {"DE32999999990123456782", quandor_qdIbanOk, quandor_qdBankNumberUnknown, QUANDOR_FALSE,
       "DE32999999990123456782", "99999999", "0123456782"},
      // Neither another country's IBAN nor a wrong one reaches the bank check.
      {"GB82WEST12345698765432", quandor_qdIbanOk, kUnchecked, QUANDOR_TRUE,
       "GB82WEST12345698765432", "", ""},
      {"DE12120300000123456782", quandor_qdIbanWrongCheckDigits, kUnchecked, QUANDOR_FALSE,
       "DE12120300000123456782", "", ""},
  };
  Object banking("Quandor.Banking");
  for (const IbanCase& c : cases) {
    SCOPED_TRACE(c.input);
    quandor_iban_result result = Garbage();
    ASSERT_EQ(quandor_iban_validate(banking.get(), c.input, &result), QUANDOR_OK);
    ExpectVerdict(TakeResult(result), c);
  }

  // A bank without a method in the chosen rules (12 is unassigned today)
  // does not make its IBAN wrong.
  const IbanCase uncheckable = {"DE68120000120123456782",
                                quandor_qdIbanOk,
                                quandor_qdTestingMethodUnknown,
                                QUANDOR_TRUE,
                                "DE68120000120123456782",
                                "12000012",
                                "0123456782"};
  ASSERT_EQ(quandor_Banking_put_Rules(banking.get(), quandor_qdRulesCurrent), QUANDOR_OK);
  quandor_iban_result checked = Garbage();
  ASSERT_EQ(quandor_iban_validate(banking.get(), uncheckable.input, &checked), QUANDOR_OK);
  ExpectVerdict(TakeResult(checked), uncheckable);
  ASSERT_EQ(quandor_Banking_put_Rules(banking.get(), quandor_qdRulesOriginal), QUANDOR_OK);

  // The object keeps what its Validate found, as in C++.
  quandor_iban_result result{};
  ASSERT_EQ(quandor_iban_validate(banking.get(), "DE11120300000123456782", &result), QUANDOR_OK);
  quandor_free_iban_result(&result);
  EXPECT_TRUE(result.iban == nullptr && result.bank_number == nullptr &&
              result.account_number == nullptr);
  char* name = nullptr;
  ASSERT_EQ(quandor_Banking_get_BankName(banking.get(), &name), QUANDOR_OK);
  EXPECT_EQ(Take(name), "Deutsche Kreditbank Berlin");
}

// Built only from a bank connection that passes its check, unless forced.
TEST(CapiIban, MakeBuildsFromDigitsAndNamesTheRejectedPart) {
  struct {
    const char* blz;
    const char* account;
    bool forced;
    const char* iban;
    int32_t error;
  } const cases[] = {
      {"12030000", "123456782", false, "DE11120300000123456782", quandor_qdNoError},
      {"1203 0000", "12-345/6782", false, "DE11120300000123456782", quandor_qdNoError},
      {"", "123456782", false, "", quandor_qdBankNumberMissing},
      {"1203000", "123456782", false, "", quandor_qdBankNumberWrongDigits},
      {"1203000x", "123456782", false, "", quandor_qdBankNumberIncorrectly},
      {"12030000", " ", false, "", quandor_qdAccountNumberMissing},
      {"12030000", "12345678901", false, "", quandor_qdAccountNumberWrongDigits},
      {"12030000", "12345\xC3\xBC", false, "", quandor_qdAccountNumberIncorrectly},
      {"99999999", "123456782", false, "", quandor_qdBankNumberUnknown},
      {"12030000", "123456783", false, "", quandor_qdWrongCheckDigit},
      {"99999999", "123456782", true, "DE32999999990123456782", quandor_qdNoError},
      {"1203000", "123456782", true, "", quandor_qdBankNumberWrongDigits},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.blz) + " / " + c.account + (c.forced ? " forced" : ""));
    char* iban = nullptr;
    int32_t error = -1;
    const auto make = c.forced ? quandor_iban_make_forced : quandor_iban_make;
    ASSERT_EQ(make(c.blz, c.account, &iban, &error), QUANDOR_OK);
    EXPECT_EQ(Take(iban), c.iban);
    EXPECT_EQ(error, c.error);
  }
}

TEST(CapiIban, FormatAndErrorTexts) {
  const std::pair<const char*, const char*> formats[] = {
      {"de11120300000123456782", "DE11 1203 0000 0123 4567 82"},
      {"DE11-12", "DE11-12"},
      {"", ""},
  };
  for (const auto& [input, formatted] : formats) {
    char* text = nullptr;
    ASSERT_EQ(quandor_iban_format(input, &text), QUANDOR_OK) << input;
    EXPECT_EQ(Take(text), formatted);
  }
  const std::pair<int32_t, const char*> messages[] = {
      {quandor_qdIbanOk, "Kein Fehler"},
      {quandor_qdIbanWrongCheckDigits,
       "IBAN-Pr\xC3\xBC"
       "fziffer ist falsch"},
      {quandor_qdIbanWrongCheckDigits + 1, ""},
      {-1, ""},
  };
  for (const auto& [code, message] : messages) {
    char* text = nullptr;
    ASSERT_EQ(quandor_iban_error_text(code, &text), QUANDOR_OK) << code;
    EXPECT_EQ(Take(text), message);
  }
}

TEST(CapiTexts, MessagesInAChosenLanguage) {
  struct Case {
    quandor_status (*text_of)(int32_t, const char*, char**);
    int32_t code;
    const char* lang;
    quandor_status status;
    const char* text;
  };
  const Case cases[] = {
      {quandor_error_text_lang, quandor_qdNoError, "de", QUANDOR_OK, "Kein Fehler"},
      {quandor_error_text_lang, quandor_qdBankNumberUnknown, "en", QUANDOR_OK, "Bank code unknown"},
      {quandor_error_text_lang, 12, "en", QUANDOR_OK, ""},
      {quandor_error_text_lang, quandor_qdNoError, "fr", QUANDOR_E_INVALID_ARG, nullptr},
      {quandor_iban_error_text_lang, quandor_qdIbanWrongCheckDigits, "en", QUANDOR_OK,
       "IBAN check digits are wrong"},
      {quandor_iban_error_text_lang, quandor_qdIbanMissing, "de", QUANDOR_OK, "IBAN fehlt"},
      {quandor_iban_error_text_lang, quandor_qdIbanOk, "EN", QUANDOR_E_INVALID_ARG, nullptr},
  };
  for (const Case& c : cases) {
    char* text = reinterpret_cast<char*>(uintptr_t{0x10});
    EXPECT_EQ(c.text_of(c.code, c.lang, &text), c.status) << c.code << c.lang;
    if (c.text == nullptr) {
      EXPECT_EQ(text, nullptr);
    } else {
      EXPECT_EQ(Take(text), c.text);
    }
  }
  char* text = nullptr;
  EXPECT_EQ(quandor_error_text_lang(1, nullptr, &text), QUANDOR_E_INVALID_ARG);
  EXPECT_EQ(quandor_iban_error_text_lang(1, "en", nullptr), QUANDOR_E_INVALID_ARG);
}

// Bad handles are refused like by every member of Banking (capi_objects_test.cc).
TEST(CapiIban, NullArgumentsFailWithEveryOutCleared) {
  Object banking("Quandor.Banking");

  const char* iban = "DE11120300000123456782";
  const std::function<quandor_status(quandor_iban_result*)> verdict_calls[] = {
      [](auto* r) { return quandor_iban_check(nullptr, r); },
      [&](auto* r) { return quandor_iban_validate(banking.get(), nullptr, r); },
  };
  for (const auto& call : verdict_calls) {
    quandor_iban_result result = Garbage();
    EXPECT_EQ(call(&result), QUANDOR_E_INVALID_ARG);
    EXPECT_NE(LastErrorMessage(), "");
    EXPECT_TRUE(IsZero(result));
  }

  char* text = nullptr;
  int32_t error = 0;
  const std::function<quandor_status()> other_calls[] = {
      [&] { return quandor_iban_check(iban, nullptr); },
      [&] { return quandor_iban_validate(banking.get(), iban, nullptr); },
      [&] { return quandor_iban_make(nullptr, "1", &text, &error); },
      [&] { return quandor_iban_make("12030000", nullptr, &text, &error); },
      [&] { return quandor_iban_make("12030000", "1", nullptr, &error); },
      [&] { return quandor_iban_make("12030000", "1", &text, nullptr); },
      [&] { return quandor_iban_make_forced(nullptr, "1", &text, &error); },
      [&] { return quandor_iban_format(nullptr, &text); },
      [&] { return quandor_iban_format(iban, nullptr); },
      [&] { return quandor_iban_error_text(0, nullptr); },
  };
  for (const auto& call : other_calls) {
    text = reinterpret_cast<char*>(uintptr_t{0x10});
    error = 77;
    EXPECT_EQ(call(), QUANDOR_E_INVALID_ARG);
    EXPECT_NE(LastErrorMessage(), "");
  }
  // Whichever argument is bad, the outs that were passed read as nothing.
  EXPECT_EQ(quandor_iban_make("12030000", nullptr, &text, &error), QUANDOR_E_INVALID_ARG);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(error, 0);
  quandor_free_iban_result(nullptr);  // accepted, like the other free functions
}

}  // namespace
}  // namespace quandor::capi_test
