// Validate: every path up to the check engine, and what it hands the engine.
// The methods' own verdicts are tested with the engine.
#include <gtest/gtest.h>

#include "quandor/banking.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::BankFileDir;
using testing::InFreshThread;

// Method numbers that no engine knows, so that every path ends before a verdict.
const std::initializer_list<std::string_view> kBanks = {
    "10000000;Musterbank;Berlin;Musterbank Berlin;990",
    "20000000;Kurzbank;Hamburg;Kurz",
    "30000000;Leerbank;Bremen;Leer;",
    "40000000;Blankbank;Kiel;Blank; 9 9 7;x",
    "50000000;Nullbank;Ulm;Null;0998",
};

struct Outcome {
  bool result;
  int32_t error;
  std::string bank_number, account_number, name, city, complete;
  int16_t method;
};

Outcome Check(Banking& b, std::string_view blz, std::string_view account) {
  const bool result = b.Validate(blz, account);
  return {result,       b.LastError(), b.BankNumber(),   b.AccountNumber(),
          b.BankName(), b.BankCity(),  b.BankComplete(), b.UsedTestingMethod()};
}

TEST(Validate, PathsBeforeTheVerdict) {
  BankFileDir dir(kBanks);
  InFreshThread([] {
    Banking b;
    Outcome o = Check(b, "100 000 0x", "123");
    EXPECT_EQ(o.error, qdBankNumberWrongDigits);
    EXPECT_EQ(o.bank_number, "100 000 0");
    EXPECT_EQ(o.account_number, "");
    EXPECT_EQ(o.method, -1);
    EXPECT_TRUE(b.Validated());

    o = Check(b, "10000000", "123456789012");
    EXPECT_EQ(o.error, qdAccountNumberWrongDigits);
    EXPECT_EQ(o.bank_number, "100 000 00");
    EXPECT_EQ(o.account_number, "123456789012");
    EXPECT_EQ(o.name, "");

    o = Check(b, "37050198", "1234");
    EXPECT_FALSE(o.result);
    EXPECT_EQ(o.error, qdBankNumberUnknown);
    EXPECT_EQ(o.bank_number, "370 501 98");
    EXPECT_EQ(o.account_number, "1234");
    EXPECT_EQ(o.method, -1);

    o = Check(b, "10000000", "12-34");
    EXPECT_FALSE(o.result);
    EXPECT_EQ(o.error, qdTestingMethodUnknown);
    EXPECT_EQ(o.name, "Musterbank");
    EXPECT_EQ(o.city, "Berlin");
    EXPECT_EQ(o.complete, "Musterbank Berlin");
    EXPECT_EQ(o.account_number, "12-34");
    EXPECT_EQ(o.method, 990);
  });
}

TEST(Validate, MethodField) {
  BankFileDir dir(kBanks);
  InFreshThread([] {
    Banking b;
    EXPECT_EQ(Check(b, "40000000", "1").method, 997);  // blanks inside ignored
    EXPECT_EQ(Check(b, "50000000", "1").method, 998);  // leading zero dropped
    // An empty field reads as method 0.
    const Outcome empty = Check(b, "30000000", "1");
    EXPECT_EQ(empty.method, 0);
    EXPECT_NE(empty.error, qdUnknownError);
    // No fifth field at all: the fields present are kept, the call fails.
    const Outcome short_record = Check(b, "20000000", "1");
    EXPECT_FALSE(short_record.result);
    EXPECT_EQ(short_record.error, qdUnknownError);
    EXPECT_EQ(short_record.complete, "Kurz");
    EXPECT_EQ(short_record.method, -1);
  });
}

// Mended: a method number beyond 16 bits was reported cut to 16 bits, as
// another method (65545 as method 09, which then checked the account).
TEST(Validate, MethodNumberBeyondSixteenBitsIsUnknown) {
  BankFileDir dir({"10000000;A;X;A;65545", "20000000;B;Y;B;70000", "30000000;C;Z;C;99999999999"});
  InFreshThread([] {
    Banking b;
    for (std::string_view code : {"10000000", "20000000", "30000000"}) {
      const Outcome o = Check(b, code, "1234567897");
      EXPECT_FALSE(o.result) << code;
      EXPECT_EQ(o.error, qdTestingMethodUnknown) << code;
      EXPECT_EQ(o.method, -1) << code;
    }
  });
}

TEST(Validate, SecondCallStartsAfresh) {
  BankFileDir dir(kBanks);
  InFreshThread([] {
    Banking b;
    b.Strictness(qdStrictnessRestrictive);
    Check(b, "10000000", "12-34");
    const Outcome o = Check(b, "99999999", "5");
    EXPECT_EQ(o.error, qdBankNumberUnknown);
    EXPECT_EQ(o.bank_number, "99999999");
    EXPECT_EQ(o.account_number, "5");
    EXPECT_EQ(o.name, "");
    EXPECT_EQ(o.method, -1);
    EXPECT_EQ(b.Strictness(), qdStrictnessRestrictive);
  });
}

TEST(Validate, FileGoneAfterCreation) {
  BankFileDir dir(kBanks);
  InFreshThread([&] {
    Banking b;
    dir.Remove();
    const Outcome o = Check(b, "10000000", "1");
    EXPECT_EQ(o.error, qdBankNumberUnknown);
    EXPECT_EQ(o.name, "");
    // Not refused: the lookup's own code was replaced.
    EXPECT_EQ(Check(b, "10000000", "1").error, qdBankNumberUnknown);
  });
}

// With the check engine: the verdicts that Validate hands on, and the method
// code and bank code that it gives the engine.
TEST(ValidateWithEngine, Verdicts) {
  BankFileDir dir({"10000000;Nullbank;Berlin;Null;00", "10020030;Bank 52;Berlin;B52;52",
                   "20000000;Neunbank;Hamburg;Neun;09", "30000000;Leerbank;Bremen;Leer;",
                   "40000000;Blankbank;Kiel;Blank; 9"});
  InFreshThread([] {
    Banking b;
    const struct {
      std::string_view blz, account;
      int32_t error;
      int16_t method;
    } cases[] = {
        {"10000000", "123456782", qdNoError, 0},
        {"10000000", "123456789", qdWrongCheckDigit, 0},
        {"10000000", "12 345 678-2", qdNoError, 0},
        // "09" reaches the engine as "9" (no check digit: everything passes).
        {"20000000", "123456789", qdNoError, 9},
        {"40000000", "123456789", qdNoError, 9},
        // An empty field is method 0.
        {"30000000", "123456782", qdNoError, 0},
        {"30000000", "123456789", qdWrongCheckDigit, 0},
        // Method 52 rebuilds a number from the bank code as well.
        {"10020030", "0090001234", qdNoError, 52},
        {"10020030", "0090101234", qdWrongCheckDigit, 52},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.blz) + " " + std::string(c.account));
      const Outcome o = Check(b, c.blz, c.account);
      EXPECT_EQ(o.error, c.error);
      EXPECT_EQ(o.result, c.error == qdNoError);
      EXPECT_EQ(o.method, c.method);
      EXPECT_NE(o.name, "");
    }
  });
}

}  // namespace
}  // namespace quandor
