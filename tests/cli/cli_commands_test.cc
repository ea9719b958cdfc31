// bank, search, validate and card end to end: single answers, batch lines,
// CSV files, exit statuses.
#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"

namespace quandor_check {
namespace {

// Method 09 accepts every account; 532013000 passes method 00, 1234567890 fails it.
constexpr const char* kBankFile =
    "10000000;Bundesbank;Berlin;BBk Berlin;09;10591;MARKDEF1100\r\n"
    "20000000;\"Quote\" Bank;Hamburg;Quote Bank;09;20000;\r\n"
    "37050198;Sparkasse KölnBonn;Köln;Spk KölnBonn;00;50667;COLSDE33XXX\r\n"
    "50000000;Bank am Markt;Köln;Markt Köln;00;50667;\r\n";

class CliCommandsTest : public testing::Test {
 protected:
  void SetUp() override { WriteFile(sandbox_ / "blz.txt", kBankFile); }
  CliResult Run(const std::string& args, const std::string& input = "") {
    return sandbox_.Run("--data . " + args, input);
  }
  CliSandbox sandbox_;
};

TEST_F(CliCommandsTest, BankSingle) {
  CliResult result = Run("bank 37050198");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("Sparkasse KölnBonn"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Köln"), std::string::npos);

  result = Run("bank 37050199");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Bankleitzahl nicht bekannt"), std::string::npos) << result.err;
  result = Run("bank --strictness 2 370-501-98");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Bankleitzahl hat falsches Format"), std::string::npos) << result.err;

  // A missing bank code file is a setup fault, not a "no".
  result = sandbox_.Run("bank --data ./nowhere 37050198");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("blz.txt"), std::string::npos);
}

TEST_F(CliCommandsTest, BankBatch) {
  const CliResult result = Run("bank", "37050198\r\n20000000\n99999999\n\n370 501 98");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "1;1;370 501 98;Sparkasse KölnBonn;Köln;Spk KölnBonn\n"
            "1;1;200 000 00;\"\"\"Quote\"\" Bank\";Hamburg;Quote Bank\n"
            "0;7;999 999 99;;;\n"
            "0;3;;;;\n"
            "1;1;370 501 98;Sparkasse KölnBonn;Köln;Spk KölnBonn\n");
}

TEST_F(CliCommandsTest, SearchSingleAndBatch) {
  CliResult result = Run("search --in city,name köln");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "50000000  Bank am Markt, Köln\n37050198  Sparkasse KölnBonn, Köln\n");
  result = Run("search --in blz köln");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Keine Bank gefunden"), std::string::npos) << result.err;

  result = Run("search", "köln\nzzz\nBundesbank\n\"Quote\"\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "1;1;2;50000000,37050198\n"
            "0;200;-1;\n"
            "1;1;1;10000000\n"
            "1;1;1;20000000\n");
}

TEST_F(CliCommandsTest, SearchMeetsMalformedRecord) {
  WriteFile(sandbox_ / "blz.txt", std::string(kBankFile) + "60000000;Kurzbank\r\n");
  CliResult result = Run("search Kurzbank");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("malformed record"), std::string::npos) << result.err;

  result = Run("search", "Kurzbank\nBundesbank\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.out, "0;255;-1;\n1;1;1;10000000\n");
  EXPECT_NE(result.err.find("line 1"), std::string::npos) << result.err;
}

TEST_F(CliCommandsTest, ValidateSingle) {
  CliResult result = Run("validate 37050198 532013000");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("valid (Kein Fehler)"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Sparkasse KölnBonn"), std::string::npos);
  EXPECT_NE(result.out.find("Method:  00"), std::string::npos);

  result = Run("validate 37050198 1234567890");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("invalid (Kontonummer ist falsch)"), std::string::npos) << result.out;
  result = Run("validate --strictness 3 37050198 12a3");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("Kontonummer hat falsches Format"), std::string::npos) << result.out;
}

TEST_F(CliCommandsTest, WithoutDataTheSettingNamesTheFile) {
  std::filesystem::create_directories(sandbox_ / "Quandor");
  WriteFile(sandbox_ / "Quandor" / "Quandor.ini",
            "[path]\nfilepath=" + sandbox_.dir().string() + "\n");
  const CliResult result = sandbox_.Run("bank", "50000000\n50000000\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("Bank am Markt"), std::string::npos) << result.out;
}

TEST_F(CliCommandsTest, ValidateBatchSplitsAtTheFirstSemicolon) {
  const CliResult result = Run("validate",
                               "37050198;532013000\n"
                               "37050198;1234567890\r\n"
                               "10000000;12;34\n"
                               "99999999;1\n"
                               "no semicolon\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "1;1;0;370 501 98;532013000;Sparkasse KölnBonn;Köln\n"
            "0;2;0;370 501 98;1234567890;Sparkasse KölnBonn;Köln\n"
            "1;1;9;100 000 00;1234;Bundesbank;Berlin\n"
            "0;7;-1;999 999 99;1;;\n"
            "0;3;-1;  ;;;\n");
}

TEST_F(CliCommandsTest, ValidateCsvFileKeepsEveryRow) {
  WriteFile(sandbox_ / "kunden.csv",
            "Name;Konto;BLZ\r\n"
            "\"Müller; Hans\";532013000;37050198\r\n"
            "\"Schmidt\njun.\";1234567890;37050198\r\n"
            "Kurz\r\n"
            "\"kaputt;1;37050198\r\n"
            "Ende;9;10000000\r\n");
  const CliResult result =
      Run("validate --input kunden.csv --output out.csv --blz-column BLZ --account-column konto "
          "--progress");
  EXPECT_EQ(result.status, 3) << result.err;  // two rows were malformed
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(
      ReadFile(sandbox_ / "out.csv"),
      "Name;Konto;BLZ;valid;error;method;bank_number;account_number;bank_name;bank_city;message\n"
      "\"Müller; Hans\";532013000;37050198;1;1;0;370 501 98;532013000;Sparkasse KölnBonn;Köln;"
      "Kein Fehler\n"
      "\"Schmidt\njun.\";1234567890;37050198;0;2;0;370 501 98;1234567890;Sparkasse KölnBonn;"
      "Köln;Kontonummer ist falsch\n"
      "Kurz;;;0;;;;;;;line 5: row has no column 3\n"
      "\"\"\"kaputt\";1;37050198;0;;;;;;;line 6: unclosed quote\n"
      "Ende;9;10000000;1;1;9;100 000 00;9;Bundesbank;Berlin;Kein Fehler\n");
  EXPECT_NE(result.err.find("100% ["), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("5 rows"), std::string::npos) << result.err;
}

TEST_F(CliCommandsTest, ValidateCsvByPositionWithOtherDelimiter) {
  const CliResult result =
      Run("validate --csv --no-header --delimiter , --blz-column 2 --account-column 1",
          "\xEF\xBB\xBF"
          "532013000,37050198\n1,\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "\xEF\xBB\xBF"
            "532013000,37050198,1,1,0,370 501 98,532013000,Sparkasse KölnBonn,Köln,"
            "Kein Fehler\n"
            "1,,0,3,-1,,,,,Bankleitzahl fehlt\n");
}

TEST_F(CliCommandsTest, ValidateCsvEmptyInput) {
  WriteFile(sandbox_ / "empty.csv", "");
  const CliResult result = Run("validate --input empty.csv --blz-column BLZ");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST_F(CliCommandsTest, ValidateCsvRefusals) {
  WriteFile(sandbox_ / "in.csv", "BLZ;Konto\n37050198;532013000\n");
  WriteFile(sandbox_ / "old.csv", "kept");
  EXPECT_EQ(Run("validate --input in.csv --blz-column Bankleitzahl --output old.csv").status, 2);
  EXPECT_EQ(ReadFile(sandbox_ / "old.csv"), "kept");
  EXPECT_EQ(Run("validate --input in.csv --blz-column 0").status, 2);
  EXPECT_EQ(Run("validate --input in.csv --no-header --blz-column BLZ").status, 2);
  EXPECT_EQ(Run("validate --input in.csv --delimiter ab").status, 2);
  EXPECT_EQ(Run("validate --input missing.csv").status, 2);
  const CliResult same = Run("validate --input in.csv --output in.csv");
  EXPECT_EQ(same.status, 2);
  EXPECT_EQ(ReadFile(sandbox_ / "in.csv"), "BLZ;Konto\n37050198;532013000\n");
}

// The card rules as first built: prefix and length, no check digit.
TEST_F(CliCommandsTest, CardSingleAndBatch) {
  CliResult result = Run("card --rules original visa '4111 1111 1111 1111'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("valid (Kein Fehler)"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("4111 1111 1111 1111"), std::string::npos);
  result = Run("card --rules original --strictness 2 0 4111-1111-1111-111x");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("Kreditkartennummer hat falsches Format"), std::string::npos);
  EXPECT_EQ(Run("card --rules original AMEX 371234567890123").status, 0);
  EXPECT_EQ(Run("card --rules original 5 6011000000000000").status, 0);

  result = Run("card --rules original",
               "0;4111111111111111\n"
               "6;4111111111111111\n"
               "-1;4111111111111111\n"
               "x;4111111111111111\n"
               "3;37 1234 5678 90123\n"
               "visa;4111\n"
               "0\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "1;1;4111111111111111\n"
            "0;107;4111111111111111\n"
            "0;107;4111111111111111\n"
            "0;107;4111111111111111\n"
            "1;1;37 1234 5678 90123\n"
            "0;102;4111\n"
            "0;102;\n");
}

TEST_F(CliCommandsTest, LangChoosesTheLanguageOfTheMessages) {
  struct Case {
    const char* args;
    int status;
    const char* text;
  };
  const Case cases[] = {
      {"validate 37050198 1234567890", 1, "(Kontonummer ist falsch)"},
      {"--lang de validate 37050198 1234567890", 1, "(Kontonummer ist falsch)"},
      {"--lang en validate 37050198 1234567890", 1, "(Account number is wrong)"},
      {"--lang=en bank 37050199", 1, "Bank code unknown"},
      {"--lang en iban DE00", 1, "IBAN has the wrong number of characters"},
      {"--lang fr bank 37050198", 2, "--lang"},
  };
  for (const Case& c : cases) {
    const CliResult result = Run(c.args);
    EXPECT_EQ(result.status, c.status) << c.args;
    EXPECT_NE((result.out + result.err).find(c.text), std::string::npos)
        << c.args << ": " << result.out << result.err;
  }
}

}  // namespace
}  // namespace quandor_check
