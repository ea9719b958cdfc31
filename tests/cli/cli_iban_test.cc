// quandor-check iban end to end.
#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"

namespace quandor_check {
namespace {

// 532013000 passes method 00 at 37050198, 1234567890 fails it.
constexpr const char* kBankFile =
    "37050198;Sparkasse KölnBonn;Köln;Spk KölnBonn;00;50667;COLSDE33XXX\r\n";

class CliIbanTest : public testing::Test {
 protected:
  void SetUp() override { WriteFile(sandbox_ / "blz.txt", kBankFile); }
  CliResult Run(const std::string& args, const std::string& input = "") {
    return sandbox_.Run("--data . " + args, input);
  }
  CliSandbox sandbox_;
};

TEST_F(CliIbanTest, Single) {
  CliResult result = Run("iban 'de71 3705 0198 0532 0130 00'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("valid (Kein Fehler)"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("DE71 3705 0198 0532 0130 00"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Sparkasse KölnBonn"), std::string::npos) << result.out;

  EXPECT_EQ(Run("iban 'GB82 WEST 1234 5698 7654 32'").status, 0);
  // One digit changed: the check digits no longer fit.
  EXPECT_EQ(Run("iban DE71370501980532013001").status, 1);
  // Right check digits, but the account fails its bank's method.
  result = Run("iban DE93370501981234567890");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("Kontonummer ist falsch"), std::string::npos) << result.out;
  EXPECT_EQ(Run("iban DE71 3705").status, 2);
}

TEST_F(CliIbanTest, Batch) {
  const CliResult result = Run("iban",
                               "DE71370501980532013000\n"
                               "DE93370501981234567890\n"
                               "DE44999999990532013000\n"
                               "GB82WEST12345698765432\n"
                               "GB82WEST12345698765433\n"
                               "\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "1;0;1;37050198;0532013000;1\n"
            "0;0;1;37050198;1234567890;2\n"
            "0;0;1;99999999;0532013000;7\n"
            "1;0;1;;;0\n"
            "0;5;0;;;0\n"
            "0;1;0;;;0\n");
}

// --make builds from a known bank and an account that passes its check;
// --force from the digits alone.
TEST_F(CliIbanTest, Make) {
  CliResult result = Run("iban --make '370 501 98' 532013000");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "DE71370501980532013000\n");
  result = Run("iban --make 3705019 532013000");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Bankleitzahl"), std::string::npos) << result.err;
  for (const char* refused : {"99999999 532013000", "37050198 532013001"}) {
    result = Run(std::string("iban --make ") + refused);
    EXPECT_EQ(result.status, 1) << refused;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("--force"), std::string::npos) << result.err;
  }
  result = Run("iban --make --force 99999999 532013000");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "DE44999999990532013000\n");
  EXPECT_EQ(Run("iban --force DE44999999990532013000").status, 2);
  EXPECT_EQ(Run("iban --make 37050198").status, 2);
  EXPECT_EQ(Run("iban --make --csv").status, 2);

  result = Run("iban --make",
               "37050198;532013000\n"
               "99999999;0532013000\n"
               "37050198;12345678901\n"
               "37050198;53x\n"
               "37050198\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "DE71370501980532013000;1\n"
            ";7\n"
            ";6\n"
            ";10\n"
            ";4\n");
}

TEST_F(CliIbanTest, CsvColumnByName) {
  WriteFile(sandbox_ / "in.csv", "Kunde;IBAN\nA;DE71 3705 0198 0532 0130 00\nB\nC;DE00\n");
  const CliResult result = Run("iban --input in.csv --iban-column iban");
  EXPECT_EQ(result.status, 3) << result.err;  // row B could not be checked
  EXPECT_EQ(result.out,
            "Kunde;IBAN;valid;error;iban_ok;blz;account;account_error;message\n"
            "A;DE71 3705 0198 0532 0130 00;1;0;1;37050198;0532013000;1;Kein Fehler\n"
            "B;;0;;;;;;line 3: row has no column 2\n"
            "C;DE00;0;4;0;;;0;IBAN hat falsche Anzahl Stellen\n");
}

}  // namespace
}  // namespace quandor_check
