// German IBANs: building them, and checking their bank connection with Banking.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "quandor/banking.h"
#include "quandor/iban.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

struct MadeIban {
  std::string blz;
  std::string account;
  std::string expected;  // "" when rejected
  ValidateError error;
};

TEST(MakeGermanIban, BuildsTheNationalFormOrNamesTheBadPart) {
  const std::vector<MadeIban> cases = {
      {"37040044", "532013000", "DE89370400440532013000", qdNoError},
      {"370 400 44", "0532013000", "DE89370400440532013000", qdNoError},
      {"37040044", "53-201/3 000", "DE89370400440532013000", qdNoError},
      {"10000000", "0", "DE77100000000000000000", qdNoError},
      {"", "532013000", "", qdBankNumberMissing},
      {"   ", "532013000", "", qdBankNumberMissing},
      {"3704004", "532013000", "", qdBankNumberWrongDigits},
      {"370400441", "532013000", "", qdBankNumberWrongDigits},
      {"370-400-44", "532013000", "", qdBankNumberIncorrectly},
      {"3704004x", "532013000", "", qdBankNumberIncorrectly},
      {"37040044", "", "", qdAccountNumberMissing},
      {"37040044", "--", "", qdAccountNumberMissing},
      {"37040044", "12345678901", "", qdAccountNumberWrongDigits},
      {"37040044", "5320a13000", "", qdAccountNumberIncorrectly},
  };
  for (const MadeIban& c : cases) {
    ValidateError error = qdUnknownError;
    EXPECT_EQ(MakeGermanIban(c.blz, c.account, &error), c.expected) << c.blz << " " << c.account;
    EXPECT_EQ(error, c.error) << c.blz << " " << c.account;
    EXPECT_EQ(MakeGermanIban(c.blz, c.account), c.expected);
  }
}

TEST(MakeGermanIban, RoundTripsThroughCheckIban) {
  std::mt19937 random(8);
  std::uniform_int_distribution<long long> bank_code(10000000, 99999999);
  std::uniform_int_distribution<long long> account(0, 9999999999);
  for (int i = 0; i < 2000; ++i) {
    const std::string blz = std::to_string(bank_code(random));
    std::string konto = std::to_string(account(random));
    const std::string iban = MakeGermanIban(blz, konto, nullptr, true);
    const IbanResult result = CheckIban(iban);
    ASSERT_TRUE(result.IbanOk()) << iban;
    EXPECT_EQ(result.sBankNumber, blz);
    konto.insert(0, 10 - konto.size(), '0');
    EXPECT_EQ(result.sAccountNumber, konto);
  }
}

// A bank whose method has no check digit, one with method 00, and one whose
// method (E4) the original rules do not know.
const std::string kBanks = testing::BankFileText({
    "20041133;Prüfbank;Hamburg;Prüfbank Hamburg;00;20095;TESTDEH1XXX",
    "30020900;Ohne Methode;Berlin;Ohne Methode;144;10115;TESTDEB1XXX",
    "37040044;Commerzbank;Köln;Commerzbank Köln;09;50447;COBADEFFXXX",
});

// Payment data is built only from a bank connection that passes its check;
// forced, from the digits alone.
TEST(MakeGermanIban, BuildsOnlyWhatValidatePassesUnlessForced) {
  testing::BankFileDir dir(kBanks);
  testing::InFreshThread([] {
    const struct {
      const char* blz;
      const char* account;
      bool force;
      bool built;
      ValidateError error;
    } cases[] = {
        {"37040044", "532013000", false, true, qdNoError},
        {"37040045", "532013000", false, false, qdBankNumberUnknown},
        {"20041133", "123456789", false, false, qdWrongCheckDigit},
        {"20041133", "123456782", false, true, qdNoError},
        {"30020900", "1", false, true, qdTestingMethodUnknown},  // built, with a note
        {"37040045", "532013000", true, true, qdNoError},
        {"20041133", "123456789", true, true, qdNoError},
        {"2004113", "1", true, false, qdBankNumberWrongDigits},
    };
    Banking banking;
    banking.Rules(qdRulesOriginal);
    for (const auto& c : cases) {
      ValidateError error = qdUnknownError;
      const std::string iban = MakeGermanIban(c.blz, c.account, banking, &error, c.force);
      EXPECT_EQ(!iban.empty(), c.built) << c.blz << " " << c.account << " " << c.force;
      EXPECT_EQ(error, c.error) << c.blz << " " << c.account << " " << c.force;
      if (c.built) {
        EXPECT_TRUE(CheckIban(iban).IbanOk()) << iban;
      }
    }
  });
}

TEST(ValidateIban, ChecksTheEmbeddedBankConnection) {
  testing::BankFileDir dir(kBanks);
  testing::InFreshThread([] {
    Banking banking;
    const IbanResult result = ValidateIban("de89 3704 0044 0532 0130 00", banking);
    EXPECT_TRUE(result.IbanOk());
    EXPECT_EQ(result.sBankNumber, "37040044");
    EXPECT_EQ(result.sAccountNumber, "0532013000");
    EXPECT_EQ(result.nAccountError, qdNoError);
    EXPECT_TRUE(result.AccountOk());
    EXPECT_FALSE(result.BankNumberFailed());
    EXPECT_FALSE(result.AccountNumberFailed());
    EXPECT_TRUE(result.Valid());
    EXPECT_EQ(banking.BankName(), "Commerzbank");
    EXPECT_EQ(banking.UsedTestingMethod(), 9);
  });
}

// Right form and check digits, and a bank connection that fails or passes:
// whose fault a failure is.
TEST(ValidateIban, ReportsWhoseFaultTheBankConnectionIs) {
  struct Case {
    std::string iban;
    bool with_file;
    ValidateError error;
    bool bank_failed;
    bool account_failed;
  };
  const Case cases[] = {
      {MakeGermanIban("20041133", "123456782", nullptr, true), true, qdNoError, false, false},
      {MakeGermanIban("37040045", "532013000", nullptr, true), true, qdBankNumberUnknown, true,
       false},
      {MakeGermanIban("20041133", "123456789", nullptr, true), true, qdWrongCheckDigit, false,
       true},
      {"DE89 3704 0044 0532 0130 00", false, qdBankNumberFileMissing, true, false},
  };
  for (const Case& c : cases) {
    testing::BankFileDir dir(kBanks);
    if (!c.with_file) dir.Remove();
    testing::InFreshThread([&c] {
      Banking banking;
      const IbanResult result = ValidateIban(c.iban, banking);
      SCOPED_TRACE(c.iban);
      EXPECT_TRUE(result.IbanOk());
      EXPECT_EQ(result.nAccountError, c.error);
      EXPECT_EQ(result.BankNumberFailed(), c.bank_failed);
      EXPECT_EQ(result.AccountNumberFailed(), c.account_failed);
      EXPECT_EQ(result.AccountOk(), c.error == qdNoError);
      EXPECT_EQ(result.Valid(), c.error == qdNoError);
    });
  }
}

TEST(ValidateIban, LeavesBankingAloneWhenThereIsNoGermanAccountToCheck) {
  testing::BankFileDir dir(kBanks);
  testing::InFreshThread([] {
    Banking banking;
    for (const char* iban : {"DE88 3704 0044 0532 0130 00", "GB82 WEST 1234 5698 7654 32", ""}) {
      const IbanResult result = ValidateIban(iban, banking);
      EXPECT_EQ(result.nAccountError, qdNoValidation) << iban;
      EXPECT_FALSE(banking.Validated()) << iban;
    }
  });
}

TEST(ValidateIban, UsesTheCallersStrictness) {
  testing::BankFileDir dir(kBanks);
  testing::InFreshThread([] {
    Banking banking;
    ValidateIban("DE89370400440532013000", banking);
    EXPECT_EQ(banking.BankNumber(), "370 400 44");
    banking.Strictness(qdStrictnessRestrictive);
    ValidateIban("DE89370400440532013000", banking);
    EXPECT_EQ(banking.BankNumber(), "37040044");
  });
}

}  // namespace
}  // namespace quandor
