// German IBANs: building them, and checking their bank connection with Banking.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "quandor/banking.h"
#include "quandor/iban.h"

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
    const std::string iban = MakeGermanIban(blz, konto);
    const IbanResult result = CheckIban(iban);
    ASSERT_TRUE(result.IbanOk()) << iban;
    EXPECT_EQ(result.sBankNumber, blz);
    konto.insert(0, 10 - konto.size(), '0');
    EXPECT_EQ(result.sAccountNumber, konto);
  }
}

// A bank code file of three banks: one whose method has no check digit, one
// with method 00, and one whose method the engine does not know.
class GermanIbanWithBanking : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                     ("quandor-iban-" + std::to_string(::getpid())));
    std::filesystem::create_directories(*dir_);
    std::ofstream file(*dir_ / "blz.txt", std::ios::binary);
    file << "20041133;Prüfbank;Hamburg;Prüfbank Hamburg;00;20095;TESTDEH1XXX\r\n"
            "37040044;Commerzbank;Köln;Commerzbank Köln;09;50447;COBADEFFXXX\r\n";
    file.close();
    ::setenv("QUANDOR_DATA_DIR", dir_->c_str(), 1);
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir_);
    delete dir_;
  }

  // False while the branch that builds Banking::Validate, or the check method
  // of the bank, has not been merged yet.
  static bool AccountCheckAvailable(const std::string& blz) {
    Banking banking;
    banking.Validate(blz, "1");
    return banking.LastError() != qdNoValidation && banking.LastError() != qdTestingMethodUnknown;
  }

  static std::filesystem::path* dir_;
};

std::filesystem::path* GermanIbanWithBanking::dir_ = nullptr;

TEST_F(GermanIbanWithBanking, ChecksTheEmbeddedBankConnection) {
  if (!AccountCheckAvailable("37040044")) GTEST_SKIP() << "account check not available yet";
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
}

TEST_F(GermanIbanWithBanking, ReportsAnUnknownBankCodeBehindRightCheckDigits) {
  if (!AccountCheckAvailable("37040044")) GTEST_SKIP() << "account check not available yet";
  Banking banking;
  const IbanResult result = ValidateIban(MakeGermanIban("37040045", "532013000"), banking);
  EXPECT_TRUE(result.IbanOk());
  EXPECT_EQ(result.nAccountError, qdBankNumberUnknown);
  EXPECT_TRUE(result.BankNumberFailed());
  EXPECT_FALSE(result.AccountNumberFailed());
  EXPECT_FALSE(result.AccountOk());
  EXPECT_FALSE(result.Valid());
}

TEST_F(GermanIbanWithBanking, ReportsAnAccountThatItsBankRejects) {
  if (!AccountCheckAvailable("20041133")) GTEST_SKIP() << "account check not available yet";
  Banking banking;
  const IbanResult good = ValidateIban(MakeGermanIban("20041133", "123456782"), banking);
  EXPECT_TRUE(good.Valid());
  EXPECT_EQ(good.nAccountError, qdNoError);

  const IbanResult bad = ValidateIban(MakeGermanIban("20041133", "123456789"), banking);
  EXPECT_TRUE(bad.IbanOk());
  EXPECT_EQ(bad.nAccountError, qdWrongCheckDigit);
  EXPECT_FALSE(bad.BankNumberFailed());
  EXPECT_TRUE(bad.AccountNumberFailed());
  EXPECT_FALSE(bad.Valid());
}

TEST_F(GermanIbanWithBanking, LeavesBankingAloneWhenThereIsNoGermanAccountToCheck) {
  Banking banking;
  for (const char* iban : {"DE88 3704 0044 0532 0130 00", "GB82 WEST 1234 5698 7654 32", ""}) {
    const IbanResult result = ValidateIban(iban, banking);
    EXPECT_EQ(result.nAccountError, qdNoValidation) << iban;
    EXPECT_FALSE(banking.Validated()) << iban;
  }
}

TEST_F(GermanIbanWithBanking, UsesTheCallersStrictness) {
  if (!AccountCheckAvailable("37040044")) GTEST_SKIP() << "account check not available yet";
  Banking banking;
  ValidateIban("DE89370400440532013000", banking);
  EXPECT_EQ(banking.BankNumber(), "370 400 44");
  banking.Strictness(qdStrictnessRestrictive);
  ValidateIban("DE89370400440532013000", banking);
  EXPECT_EQ(banking.BankNumber(), "37040044");
}

}  // namespace
}  // namespace quandor
