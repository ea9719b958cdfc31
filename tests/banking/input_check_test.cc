#include "input_check.h"

#include <gtest/gtest.h>

#include "quandor/errors.h"

namespace quandor {
namespace {

struct Checked {
  bool passed;
  int32_t error;
  std::string bank_number;
  std::string account_number;
  std::string bank_digits;
  std::string account_digits;
};

// What a way of checking makes of the input: check(bank, account, out) fills
// the lists and texts and says whether the input passed.
template <class Check>
Checked Run(Check check) {
  Checked c{};
  c.error = qdNoError;
  DigitList bank;
  DigitList acc;
  CheckedTexts out{c.bank_number, c.account_number, c.error};
  c.passed = check(bank, acc, out);
  if (bank.complete()) c.bank_digits = JoinArray(bank);
  if (acc.complete()) c.account_digits = JoinArray(acc);
  return c;
}

Checked RunChecks(std::string_view blz, std::string_view account, int32_t strictness) {
  return Run([&](DigitList& bank, DigitList& acc, CheckedTexts& out) {
    return CheckInput(blz, account, bank, acc, strictness, out);
  });
}

// The same by the two checks one after the other, the way of every input
// that is not plain digits.
Checked RunEachCheck(std::string_view blz, std::string_view account, int32_t strictness) {
  return Run([&](DigitList& bank, DigitList& acc, CheckedTexts& out) {
    return CheckBankNumber(blz, bank, strictness, out) &&
           CheckAccountNumber(account, acc, strictness, out);
  });
}

void ExpectSameAsEachCheck(const std::string& blz, const std::string& account, int32_t strictness) {
  SCOPED_TRACE(blz + "|" + account + " at " + std::to_string(strictness));
  const Checked together = RunChecks(blz, account, strictness);
  const Checked each = RunEachCheck(blz, account, strictness);
  EXPECT_EQ(together.passed, each.passed);
  EXPECT_EQ(together.error, each.error);
  EXPECT_EQ(together.bank_number, each.bank_number);
  EXPECT_EQ(together.account_number, each.account_number);
  EXPECT_EQ(together.bank_digits, each.bank_digits);
  EXPECT_EQ(together.account_digits, each.account_digits);
}

TEST(CheckInput, PlainDigitsAsEachCheckTakesThem) {
  // Digit strings of every length around the plain ones, and the same with a
  // character just outside the digits, or far from them, in place of a digit.
  uint64_t state = 0x2545F4914F6CDD1Du;
  const auto digits = [&state](std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      text += static_cast<char>('0' + (state >> 33) % 10);
    }
    return text;
  };
  const std::string near_digits = {'/', ':', ' ', 'a', '\xb9', '\0'};
  const int32_t strictnesses[] = {qdStrictnessLow, qdStrictnessNormal, qdStrictnessStrict,
                                  qdStrictnessRestrictive, 7};
  for (int32_t strictness : strictnesses) {
    for (std::size_t bank_size = 7; bank_size <= 9; ++bank_size) {
      for (std::size_t account_size = 0; account_size <= 11; ++account_size) {
        const std::string blz = digits(bank_size);
        const std::string account = digits(account_size);
        const char near = near_digits[(bank_size + account_size) % near_digits.size()];
        ExpectSameAsEachCheck(blz, account, strictness);
        std::string spoiled_blz = blz;
        spoiled_blz[account_size % bank_size] = near;
        ExpectSameAsEachCheck(spoiled_blz, account, strictness);
        if (account.empty()) continue;
        std::string spoiled_account = account;
        spoiled_account[bank_size % account_size] = near;
        ExpectSameAsEachCheck(blz, spoiled_account, strictness);
      }
    }
  }
}

struct BankCase {
  std::string_view input;
  int32_t strictness;
  int32_t error;
  std::string_view bank_number;
};

// Checks the bank code of c with a valid account; the verdict and the
// display text must be c's.
Checked ExpectBankCase(const BankCase& c) {
  const Checked r = RunChecks(c.input, "1", c.strictness);
  EXPECT_EQ(r.error, c.error);
  EXPECT_EQ(r.passed, c.error == qdNoError);
  EXPECT_EQ(r.bank_number, c.bank_number);
  return r;
}

TEST(CheckBankNumber, ByStrictness) {
  const BankCase cases[] = {
      {"370 501 98", qdStrictnessNormal, qdNoError, "370 501 98"},
      {"37050198", qdStrictnessRestrictive, qdNoError, "37050198"},
      {"370 501 98", qdStrictnessRestrictive, qdNoError, "37050198"},
      {"370-501-98", qdStrictnessNormal, qdNoError, "370 501 98"},
      {"370-501-98", qdStrictnessLow, qdNoError, "370-501-98"},
      {" 37050198", qdStrictnessLow, qdNoError, " 37050198"},
      {"370-501-98", qdStrictnessStrict, qdBankNumberIncorrectly, "370"},
      {"370-501-98", qdStrictnessRestrictive, qdBankNumberIncorrectly, "370"},
      {"   ", qdStrictnessNormal, qdBankNumberMissing, ""},
      {"", qdStrictnessLow, qdBankNumberMissing, ""},
      {"abc", qdStrictnessNormal, qdBankNumberMissing, "  "},
      {"3705019", qdStrictnessNormal, qdBankNumberWrongDigits, "370 501 9"},
      {"370501981", qdStrictnessNormal, qdBankNumberWrongDigits, "370 501 98"},
      {"1234", qdStrictnessNormal, qdBankNumberWrongDigits, "123 4 "},
      {"370x50198", 7, qdNoError, "370 501 98"},
      {"370x50198", -1, qdNoError, "370 501 98"},
      {"12345678901234567890123456789012345", qdStrictnessRestrictive, qdBankNumberWrongDigits,
       "12345678901234567890123456789012345"},
  };
  for (const BankCase& c : cases) {
    SCOPED_TRACE(std::string(c.input) + " at " + std::to_string(c.strictness));
    const Checked r = ExpectBankCase(c);
    if (c.error != qdNoError) {
      EXPECT_EQ(r.account_number, "");
    }
  }
  EXPECT_EQ(RunChecks("370 501 98", "1", qdStrictnessNormal).bank_digits, "37050198");
}

// A tab is no space: it is kept at Low, dropped at Normal, rejected where
// only spaces are tolerated, and a text of a tab alone is not blank.
TEST(CheckBankNumber, TabAtEachStrictness) {
  const BankCase cases[] = {
      {"370\t50198", qdStrictnessLow, qdNoError, "370\t50198"},
      {"370\t50198", qdStrictnessNormal, qdNoError, "370 501 98"},
      {"370\t50198", qdStrictnessStrict, qdBankNumberIncorrectly, "370"},
      {"370\t50198", qdStrictnessRestrictive, qdBankNumberIncorrectly, "370"},
      {"370\t50198", 7, qdNoError, "370 501 98"},
      {"\t", qdStrictnessLow, qdBankNumberMissing, "\t"},
      {"\t", qdStrictnessNormal, qdBankNumberMissing, "  "},
      {"\t", qdStrictnessStrict, qdBankNumberIncorrectly, ""},
      {"\t", qdStrictnessRestrictive, qdBankNumberIncorrectly, ""},
  };
  for (const BankCase& c : cases) {
    SCOPED_TRACE(std::string(c.input) + " at " + std::to_string(c.strictness));
    const Checked r = ExpectBankCase(c);
    if (c.error == qdNoError) {
      EXPECT_EQ(r.bank_digits, "37050198");
    }
  }
}

struct AccountCase {
  std::string_view input;
  int32_t strictness;
  int32_t error;
  std::string_view account_number;
};

TEST(CheckAccountNumber, ByStrictness) {
  const AccountCase cases[] = {
      {"12/345-6", qdStrictnessLow, qdNoError, "12/345-6"},
      {"12/345-6", qdStrictnessNormal, qdNoError, "12/345-6"},
      {"12/345-6", qdStrictnessStrict, qdNoError, "12/345-6"},
      {"12/345-6", qdStrictnessRestrictive, qdNoError, "123456"},
      {"12a3", qdStrictnessNormal, qdNoError, "123"},
      {"12a3", qdStrictnessLow, qdNoError, "12a3"},
      {"12a3", qdStrictnessStrict, qdAccountNumberIncorrectly, "12"},
      {"12a3", qdStrictnessRestrictive, qdAccountNumberIncorrectly, "12"},
      {"12345678901", qdStrictnessNormal, qdAccountNumberWrongDigits, "12345678901"},
      {"   ", qdStrictnessNormal, qdAccountNumberMissing, ""},
      {"--", qdStrictnessLow, qdAccountNumberMissing, "--"},
      {"--", qdStrictnessRestrictive, qdAccountNumberMissing, ""},
      {"12a3", 7, qdNoError, "123"},
  };
  for (const AccountCase& c : cases) {
    SCOPED_TRACE(std::string(c.input) + " at " + std::to_string(c.strictness));
    const Checked r = RunChecks("37050198", c.input, c.strictness);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.passed, c.error == qdNoError);
    EXPECT_EQ(r.account_number, c.account_number);
  }
  EXPECT_EQ(RunChecks("37050198", "12/345-6", qdStrictnessNormal).account_digits, "0000123456");
  EXPECT_EQ(RunChecks("37050198", "1234567890", qdStrictnessNormal).account_digits, "1234567890");
}

}  // namespace
}  // namespace quandor
