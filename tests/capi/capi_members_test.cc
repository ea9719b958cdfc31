// The members through the C interface: Booleans as -1 and 0, texts as UTF-8
// copies, the record list of SearchBankInfo, and a raised failure as a status.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capi_test_support.h"
#include "quandor/banking.h"
#include "quandor/data_info.h"
#include "quandor/quandor.h"

namespace quandor::capi_test {
namespace {

quandor_bool Validate(quandor_object* banking, const char* bank_code, const char* account) {
  quandor_bool result = 77;
  EXPECT_EQ(quandor_Banking_Validate(banking, bank_code, account, &result), QUANDOR_OK);
  return result;
}

int32_t LastError(quandor_object* banking) {
  int32_t code = -99;
  EXPECT_EQ(quandor_Banking_get_LastError(banking, &code), QUANDOR_OK);
  return code;
}

std::string BankText(quandor_object* banking, quandor_status (*getter)(quandor_object*, char**)) {
  char* text = nullptr;
  EXPECT_EQ(getter(banking, &text), QUANDOR_OK);
  return Take(text);
}

TEST(CapiBanking, NewObjectReportsNothingChecked) {
  Object banking("Quandor.Banking");
  quandor_bool validated = 77;
  EXPECT_EQ(quandor_Banking_get_Validated(banking.get(), &validated), QUANDOR_OK);
  EXPECT_EQ(validated, QUANDOR_FALSE);
  int16_t method = 0;
  EXPECT_EQ(quandor_Banking_get_UsedTestingMethod(banking.get(), &method), QUANDOR_OK);
  EXPECT_EQ(method, -1);
  EXPECT_EQ(LastError(banking.get()), quandor_qdNoValidation);
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_LastErrorString),
            "Keine Pr\xC3\xBC"
            "fung durchgef\xC3\xBChrt");
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankName), "");
}

TEST(CapiBanking, ValidateGivesTrueAsMinusOneAndFalseAsZero) {
  Object banking("Quandor.Banking");
  EXPECT_EQ(Validate(banking.get(), "12030000", "123456782"), QUANDOR_TRUE);
  EXPECT_EQ(LastError(banking.get()), quandor_qdNoError);
  int16_t method = -1;
  EXPECT_EQ(quandor_Banking_get_UsedTestingMethod(banking.get(), &method), QUANDOR_OK);
  EXPECT_EQ(method, 0);
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankName), "Deutsche Kreditbank Berlin");

  EXPECT_EQ(Validate(banking.get(), "12030000", "123456789"), QUANDOR_FALSE);
  EXPECT_EQ(LastError(banking.get()), quandor_qdWrongCheckDigit);
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_LastErrorString), "Kontonummer ist falsch");
  quandor_bool validated = 0;
  EXPECT_EQ(quandor_Banking_get_Validated(banking.get(), &validated), QUANDOR_OK);
  EXPECT_EQ(validated, QUANDOR_TRUE) << "a failed Validate still counts as validated";
}

TEST(CapiBanking, TextsAreUtf8BothWays) {
  Object banking("Quandor.Banking");
  quandor_bool found = 0;
  ASSERT_EQ(quandor_Banking_searchBank(banking.get(), "80010000", &found), QUANDOR_OK);
  EXPECT_EQ(found, QUANDOR_TRUE);
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankName),
            "Bank f\xC3\xBCr Pr\xC3\xBC"
            "fziffern");
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankCity), "M\xC3\xBCnchen");
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankPostcode), "80331");
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankBIC), "PRUEDEXXXXX");

  // By name: a city search would trip over the test file's line without a city.
  ASSERT_EQ(quandor_Banking_SearchBankByText(banking.get(), "f\xC3\xBCr Pr\xC3\xBC",
                                             quandor_qdSearchName, &found),
            QUANDOR_OK);
  EXPECT_EQ(found, QUANDOR_TRUE);
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankNumber), "80010000");
}

TEST(CapiBanking, TextSearchWalksTheBanksFound) {
  Object banking("Quandor.Banking");
  quandor_bool found = 0;
  ASSERT_EQ(quandor_Banking_SearchBankByText(banking.get(), "Bank", quandor_qdSearchName, &found),
            QUANDOR_OK);
  EXPECT_EQ(found, QUANDOR_TRUE);
  int32_t amount = 0;
  EXPECT_EQ(quandor_Banking_get_AmountFoundBanks(banking.get(), &amount), QUANDOR_OK);
  EXPECT_EQ(amount, 2);
  quandor_bool is_found = 0;
  EXPECT_EQ(quandor_Banking_get_IsBankFound(banking.get(), &is_found), QUANDOR_OK);
  EXPECT_EQ(is_found, QUANDOR_TRUE);

  // Sorted by name: "Bank für ..." before "Deutsche Kreditbank ...".
  std::vector<std::string> names;
  quandor_bool more = 0;
  ASSERT_EQ(quandor_Banking_FirstFoundBank(banking.get(), &more), QUANDOR_OK);
  while (more == QUANDOR_TRUE && names.size() < 10) {
    names.push_back(BankText(banking.get(), quandor_Banking_get_BankNumber));
    ASSERT_EQ(quandor_Banking_NextFoundBank(banking.get(), &more), QUANDOR_OK);
  }
  EXPECT_EQ(more, QUANDOR_FALSE);
  EXPECT_EQ(names, (std::vector<std::string>{"80010000", "12030000"}));

  ASSERT_EQ(
      quandor_Banking_SearchBankByText(banking.get(), "Nirgendwo", quandor_qdSearchAll, &found),
      QUANDOR_OK);
  EXPECT_EQ(found, QUANDOR_FALSE);
  EXPECT_EQ(LastError(banking.get()), quandor_qdNoBankFound);
}

TEST(CapiBanking, SearchBankInfoGivesTheRecordOrNothing) {
  Object banking("Quandor.Banking");
  char** fields = nullptr;
  size_t count = 0;
  ASSERT_EQ(quandor_Banking_SearchBankInfo(banking.get(), "120 300 00", &fields, &count),
            QUANDOR_OK);
  ASSERT_NE(fields, nullptr);
  EXPECT_EQ(count, 7u);
  std::vector<std::string> record;
  for (char** field = fields; *field != nullptr; ++field) record.emplace_back(*field);
  quandor_free_string_list(fields);
  EXPECT_EQ(record,
            (std::vector<std::string>{"12030000", "Deutsche Kreditbank Berlin", "Berlin",
                                      "Deutsche Kreditbank Berlin", "00", "10117", "BYLADEM1001"}));
  EXPECT_EQ(LastError(banking.get()), quandor_qdNoValidation) << "success leaves LastError alone";

  // A missing bank is the empty result, not a failed call; the count is optional.
  fields = reinterpret_cast<char**>(uintptr_t{0x10});
  ASSERT_EQ(quandor_Banking_SearchBankInfo(banking.get(), "99999999", &fields, nullptr),
            QUANDOR_OK);
  EXPECT_EQ(fields, nullptr);
  EXPECT_EQ(LastError(banking.get()), quandor_qdBankNumberUnknown);
}

TEST(CapiBanking, AFailureRaisedByTheTextSearchBecomesAnErrorResult) {
  Object banking("Quandor.Banking");
  quandor_bool found = 77;
  EXPECT_EQ(
      quandor_Banking_SearchBankByText(banking.get(), "Zerbrochene", quandor_qdSearchAll, &found),
      QUANDOR_E_EXCEPTION);
  EXPECT_EQ(found, QUANDOR_FALSE);
  EXPECT_NE(LastErrorMessage(), "");

  // The object stays usable, and the next call clears the message.
  EXPECT_EQ(Validate(banking.get(), "12030000", "123456782"), QUANDOR_TRUE);
  EXPECT_EQ(LastErrorMessage(), "");
}

TEST(CapiCreditcard, ValidateAndItsProperties) {
  Object card("Quandor.Creditcard");
  quandor_bool result = 77;
  ASSERT_EQ(quandor_Creditcard_put_Strictness(card.get(), quandor_qdStrictnessNormal), QUANDOR_OK);
  ASSERT_EQ(quandor_Creditcard_Validate(card.get(), quandor_ccVisa, "4111 1111 1111 1111", &result),
            QUANDOR_OK);
  EXPECT_EQ(result, QUANDOR_TRUE);
  char* text = nullptr;
  ASSERT_EQ(quandor_Creditcard_get_CardNumber(card.get(), &text), QUANDOR_OK);
  EXPECT_EQ(Take(text), "4111 1111 1111 1111");

  ASSERT_EQ(quandor_Creditcard_Validate(card.get(), 6, "4111111111111111", &result), QUANDOR_OK);
  EXPECT_EQ(result, QUANDOR_FALSE);
  int32_t code = 0;
  ASSERT_EQ(quandor_Creditcard_get_LastError(card.get(), &code), QUANDOR_OK);
  EXPECT_EQ(code, quandor_qdCompanyNumberUnknown);
  ASSERT_EQ(quandor_Creditcard_get_LastErrorString(card.get(), &text), QUANDOR_OK);
  EXPECT_EQ(Take(text), "Unbekanntes Kreditkarteninstitut");
  quandor_bool validated = 0;
  ASSERT_EQ(quandor_Creditcard_get_Validated(card.get(), &validated), QUANDOR_OK);
  EXPECT_EQ(validated, QUANDOR_TRUE);

  ASSERT_EQ(quandor_Creditcard_Reset(card.get()), QUANDOR_OK);
  ASSERT_EQ(quandor_Creditcard_get_Validated(card.get(), &validated), QUANDOR_OK);
  EXPECT_EQ(validated, QUANDOR_FALSE);
}

TEST(CapiBanking, RulesChooseTheSetOfMethods) {
  Object banking("Quandor.Banking");
  int32_t rules = -5;
  ASSERT_EQ(quandor_Banking_get_Rules(banking.get(), &rules), QUANDOR_OK);
  EXPECT_EQ(rules, GetDefaultRules());

  // Method 12 belongs to the original set only.
  ASSERT_EQ(quandor_Banking_put_Rules(banking.get(), quandor_qdRulesCurrent), QUANDOR_OK);
  Validate(banking.get(), "12000012", "123456782");
  EXPECT_EQ(LastError(banking.get()), quandor_qdTestingMethodUnknown);
  ASSERT_EQ(quandor_Banking_put_Rules(banking.get(), quandor_qdRulesOriginal), QUANDOR_OK);
  Validate(banking.get(), "12000012", "123456782");
  EXPECT_NE(LastError(banking.get()), quandor_qdTestingMethodUnknown);

  ASSERT_EQ(quandor_Banking_put_Rules(banking.get(), 9), QUANDOR_OK);
  ASSERT_EQ(quandor_Banking_get_Rules(banking.get(), &rules), QUANDOR_OK);
  EXPECT_EQ(rules, 9) << "stored as given, like Strictness";
}

TEST(CapiCreditcard, RulesAddTheLuhnCheck) {
  Object card("Quandor.Creditcard");
  int32_t rules = -5;
  ASSERT_EQ(quandor_Creditcard_get_Rules(card.get(), &rules), QUANDOR_OK);
  EXPECT_EQ(rules, GetDefaultRules());
  const struct {
    int32_t rules;
    quandor_bool valid;
  } cases[] = {{quandor_qdRulesOriginal, QUANDOR_TRUE}, {quandor_qdRulesCurrent, QUANDOR_FALSE}};
  for (const auto& c : cases) {
    ASSERT_EQ(quandor_Creditcard_put_Rules(card.get(), c.rules), QUANDOR_OK);
    quandor_bool valid = 7;
    ASSERT_EQ(quandor_Creditcard_Validate(card.get(), 0, "4111111111111112", &valid), QUANDOR_OK);
    EXPECT_EQ(valid, c.valid) << c.rules;
  }
}

// Strictness Low echoes the caller's bytes in the display texts, and messages
// quote them; whatever a host passed, what it gets back decodes as UTF-8.
TEST(CapiTexts, EveryTextHandedOutIsValidUtf8) {
  struct Case {
    const char* bank_code;
    const char* account;
    const char* bank_number;
    const char* account_number;
  };
  const Case cases[] = {
      {"12030000", "\xFF\xFE", "12030000", "\uFFFD\uFFFD"},
      {"1203\xC3-0000", "1", "1203\uFFFD-0000", "1"},                    // cut short
      {"12030000", "12\xE2\x82-3", "12030000", "12\uFFFD-3"},            // one per maximal part
      {"12030000", "1\xC0\xAF", "12030000", "1\uFFFD\uFFFD"},            // overlong
      {"12030000", "1\xED\xA0\x80", "12030000", "1\uFFFD\uFFFD\uFFFD"},  // surrogate
      {"12030000", "1\xF4\x90\x80\x80", "12030000", "1\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"12030000", "1\xC3\xBC\xF0\x9F\x98\x80", "12030000", "1\xC3\xBC\xF0\x9F\x98\x80"},
  };
  Object banking("Quandor.Banking");
  ASSERT_EQ(quandor_Banking_put_Strictness(banking.get(), quandor_qdStrictnessLow), QUANDOR_OK);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.account_number);
    Validate(banking.get(), c.bank_code, c.account);
    EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_BankNumber), c.bank_number);
    EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_AccountNumber), c.account_number);
  }

  Object card("Quandor.Creditcard");
  quandor_bool result = 0;
  ASSERT_EQ(quandor_Creditcard_Validate(card.get(), quandor_ccVisa, "4111\xFF", &result),
            QUANDOR_OK);
  char* text = nullptr;
  ASSERT_EQ(quandor_Creditcard_get_CardNumber(card.get(), &text), QUANDOR_OK);
  EXPECT_EQ(Take(text), "4111\uFFFD");

  quandor_object* none = nullptr;
  EXPECT_EQ(quandor_create_object("Quandor.\xFF", &none), QUANDOR_E_CLASS_NOT_AVAILABLE);
  EXPECT_NE(LastErrorMessage().find("Quandor.\uFFFD"), std::string::npos);
}

TEST(CapiLibrary, VersionAndCopyrightComeFromTheComponent) {
  Object banking("Quandor.Banking");
  Object card("Quandor.Creditcard");
  std::string version = BankText(banking.get(), quandor_Banking_get_Version);
  EXPECT_EQ(version.find_first_not_of("0123456789."), std::string::npos) << version;
  char* text = nullptr;
  ASSERT_EQ(quandor_Creditcard_get_Version(card.get(), &text), QUANDOR_OK);
  EXPECT_EQ(Take(text), version);
  EXPECT_EQ(BankText(banking.get(), quandor_Banking_get_CopyrightNotice).rfind("Copyright ", 0),
            0u);
}

// The C form of GetDataInfo: the same facts, dates as text.
TEST(CapiLibrary, DataInfoIsTheLibrarysFacts) {
  const DataInfo expected = GetDataInfo();
  quandor_data_info info{};
  ASSERT_EQ(quandor_get_data_info(&info), QUANDOR_OK);
  EXPECT_EQ(info.path, expected.path);
  EXPECT_EQ(info.found, expected.found ? QUANDOR_TRUE : QUANDOR_FALSE);
  EXPECT_EQ(info.bank_count, expected.bank_count);
  EXPECT_EQ(info.edition_state, static_cast<int32_t>(expected.state));
  EXPECT_EQ(info.edition_text, EditionText(expected));
  EXPECT_EQ(info.stale_text, StaleDataText(expected));
  EXPECT_EQ(std::string(info.valid_from).size(), expected.valid_from ? 10u : 0u);
  EXPECT_EQ(info.next_valid_from, std::string());
  quandor_free_data_info(&info);
  EXPECT_EQ(info.path, nullptr);
  quandor_free_data_info(nullptr);
  EXPECT_EQ(quandor_get_data_info(nullptr), QUANDOR_E_INVALID_ARG);
}

}  // namespace
}  // namespace quandor::capi_test
