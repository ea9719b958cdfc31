// The choice of rules on the command line, in the environment and in the
// settings file (today's rules when none is made); the outcome "not
// checkable"; the bank's further fields and a bank code being deleted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_runner.h"

namespace quandor_check {
namespace {

// Method 12 exists in the original set only; "118" is today's B8, unknown to
// the original set. The first bank is being deleted in favour of the second.
constexpr const char* kBankFile =
    "60000000;Alte Bank;Stuttgart;Alte Bank;12;70173;ALTEDE61XXX;1;60050000\r\n"
    "60050000;Neue Bank;Stuttgart;Neue Bank;118;70173;NEUEDE61XXX;0;\r\n";

class CliRulesTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteFile(sandbox_ / "blz.txt", kBankFile);
    ::unsetenv("QUANDOR_RULES");
  }
  void TearDown() override { ::unsetenv("QUANDOR_RULES"); }
  CliResult Run(const std::string& args, const std::string& input = "") {
    return sandbox_.Run("--data . " + args, input);
  }
  CliSandbox sandbox_;
};

TEST_F(CliRulesTest, ValidateSingleNamesTheOutcomeInWordsAndStatus) {
  const struct {
    std::string args;
    int status;
    std::string result;
    std::string method;
    std::string rules;
  } cases[] = {
      {"validate --rules original 60000000 1234567893", 0, "Result:  valid", "Method:  12",
       "Rules:   original"},
      {"validate --rules original 60000000 1234567894", 1, "Result:  invalid", "Method:  12",
       "Rules:   original"},
      {"validate 60000000 1234567893", 3, "Result:  not checkable", "Method:  12",
       "Rules:   current"},
      {"validate --rules original 60050000 1234567893", 3, "Result:  not checkable", "Method:  B8",
       "Rules:   original"},
  };
  for (const auto& c : cases) {
    const CliResult result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.err;
    for (const std::string& line : {c.result, c.method, c.rules}) {
      EXPECT_NE(result.out.find(line), std::string::npos) << c.args << "\n" << result.out;
    }
  }
  // No bank code file: a file error.
  const CliResult result = sandbox_.Run("validate --data ./nowhere 60000000 1234567893");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("blz.txt"), std::string::npos) << result.err;
}

TEST_F(CliRulesTest, ExplicitChoiceBeatsEnvironmentBeatsSettingsFile) {
  const std::string input = "60000000;1234567893\n";
  const std::string original = "1;1;12;600 000 00;1234567893;Alte Bank;Stuttgart\n";
  const std::string current = "0;8;12;600 000 00;1234567893;Alte Bank;Stuttgart\n";
  EXPECT_EQ(Run("validate", input).out, current);  // the tool's own default
  EXPECT_EQ(Run("validate --rules original", input).out, original);

  std::filesystem::create_directories(sandbox_ / "Quandor");
  WriteFile(sandbox_ / "Quandor" / "Quandor.ini", "[check]\nrules = original\n");
  EXPECT_EQ(Run("validate", input).out, original);
  ::setenv("QUANDOR_RULES", "current", 1);
  EXPECT_EQ(Run("validate", input).out, current);
  EXPECT_EQ(Run("validate --rules original", input).out, original);
  ::setenv("QUANDOR_RULES", "Original", 1);
  EXPECT_EQ(Run("validate", input).out, original);
  EXPECT_EQ(Run("validate --rules current", input).out, current);

  const CliResult bad = Run("validate --rules today", input);
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("--rules"), std::string::npos) << bad.err;
}

TEST_F(CliRulesTest, IbanOfABankWithoutMethodIsValid) {
  const CliResult original = Run("iban --rules original", "DE50600000001234567893\n");
  EXPECT_EQ(original.out, "1;0;1;60000000;1234567893;1\n");
  const CliResult current = Run("iban", "DE50600000001234567893\n");
  EXPECT_EQ(current.out, "1;0;1;60000000;1234567893;8\n");
  EXPECT_EQ(current.status, 0) << current.err;
  EXPECT_EQ(Run("iban DE50600000001234567893").status, 0);
}

TEST_F(CliRulesTest, BankShowsPostcodeBicMethodAndSuccessor) {
  CliResult result = Run("bank 60000000");
  EXPECT_EQ(result.status, 0) << result.err;
  for (const char* line :
       {"Postcode:   70173\n", "BIC:        ALTEDE61XXX\n", "Method:     12\n",
        "Deleted:    yes, the bank code is being deleted; successor 60050000\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << result.out;
  }
  result = Run("bank 60050000");
  EXPECT_NE(result.out.find("Method:     B8\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("Deleted:"), std::string::npos) << result.out;
}

// A bank code being deleted answers as before, with a warning naming its
// successor; --make refuses it unless forced.
TEST_F(CliRulesTest, BankCodeBeingDeletedIsWarnedAboutAndNotBuiltFrom) {
  const struct {
    std::string args;
    int status;
  } cases[] = {
      {"validate --rules original 60000000 1234567893", 0},
      {"iban --rules original DE50600000001234567893", 0},
      {"iban --make --rules original 60000000 1234567893", 1},
  };
  for (const auto& c : cases) {
    const CliResult result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.err;
    EXPECT_NE(result.err.find("being deleted; its successor is 60050000"), std::string::npos)
        << c.args << "\n"
        << result.err;
  }
  const CliResult forced = Run("iban --make --force 60000000 1234567893");
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(forced.out, "DE50600000001234567893\n");
}

// A bank without a check method gets its IBAN, with a note.
TEST_F(CliRulesTest, MakeForABankWithoutMethodNotes) {
  const CliResult result = Run("iban --make --rules original 60050000 1234567893");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("no check method"), std::string::npos) << result.err;
}

TEST_F(CliRulesTest, CardByTodaysRulesUnlessToldOtherwise) {
  const struct {
    std::string args;
    int status;
  } cases[] = {
      {"card --rules current mastercard 2221000000000009", 0},
      {"card --rules current visa 4111111111111112", 1},
      {"card mastercard 2221000000000009", 0},
      {"card visa 4111111111111112", 1},
      {"card --rules original visa 4111111111111112", 0},
      {"card --rules original mastercard 2221000000000009", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.args).status, c.status) << c.args;
  ::setenv("QUANDOR_RULES", "original", 1);
  EXPECT_EQ(Run("card visa 4111111111111112").status, 0);
  EXPECT_EQ(Run("card", "visa;4111111111111112\n").out, "1;1;4111111111111112\n");
}

}  // namespace
}  // namespace quandor_check
