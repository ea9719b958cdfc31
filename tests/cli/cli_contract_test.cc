// What scripts rely on: the exit status table wherever it is written, CSV
// columns and delimiters settled before any row, JSON lines, and input that
// must never be taken for something else.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace quandor_check {
namespace {

constexpr const char* kBankFile =
    "10000000;Bundesbank;Berlin;BBk Berlin;09;10591;MARKDEF1100\r\n"
    "37050198;Sparkasse KölnBonn;Köln;Spk KölnBonn;00;50667;COLSDE33XXX\r\n";

class CliContractTest : public testing::Test {
 protected:
  void SetUp() override { WriteFile(sandbox_ / "blz.txt", kBankFile); }
  CliResult Run(const std::string& args, const std::string& input = "") {
    return sandbox_.Run("--data . " + args, input);
  }
  CliSandbox sandbox_;
};

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The table --help shows is the one the man page and the README give.
TEST_F(CliContractTest, ExitStatusTableIsTheSameEverywhere) {
  const std::string help = Run("--help").out;
  const std::string command_help = Run("validate --help").out;
  const std::string man =
      ReadFile(std::filesystem::path(QUANDOR_SOURCE_DIR) / "tools/quandor-check/quandor-check.1");
  const std::string readme = ReadFile(std::filesystem::path(QUANDOR_SOURCE_DIR) / "README.md");
  std::istringstream lines(help.substr(help.find("Exit status")));
  std::string line;
  int rows = 0;
  while (std::getline(lines, line)) {
    if (line.size() < 6 || line.rfind("  ", 0) != 0 || line[2] < '0' || line[2] > '9') continue;
    const std::string meaning = line.substr(5);
    ++rows;
    EXPECT_NE(command_help.find(line), std::string::npos) << line;
    EXPECT_NE(man.find(line.substr(2, 1) + "\n" + meaning), std::string::npos) << meaning;
    EXPECT_NE(readme.find("| " + line.substr(2, 1) + " | " + meaning + " |"), std::string::npos)
        << meaning;
  }
  EXPECT_EQ(rows, 4) << help;
}

TEST_F(CliContractTest, CsvColumnsAndDelimiters) {
  const struct {
    const char* args;
    const char* input;
    int status;
    const char* out;  // the whole output, or nullptr: not looked at
    const char* err;  // a part of standard error
  } cases[] = {
      // A column that the header or the first row lacks: no row is read.
      {"validate --csv --blz-column 3", "BLZ;Konto\n37050198;532013000\n", 2, "",
       "no column 3 (--blz-column): the header line has 2"},
      {"validate --csv --no-header", "37050198\n", 2, "", "the first row has 1"},
      // A comma file is recognised and said to be.
      {"validate --csv --blz-column BLZ --account-column Konto", "BLZ,Konto\n37050198,532013000\n",
       0,
       "BLZ,Konto,valid,error,method,bank_number,account_number,bank_name,bank_city,message\n"
       "37050198,532013000,1,1,0,370 501 98,532013000,Sparkasse KölnBonn,Köln,Kein Fehler\n",
       "reading the file with ','"},
      {"validate --csv --blz-column BLZ", "Name;Konto\nA;1\n", 2, "",
       "no column 'BLZ' in the header line (delimiter ';'; --delimiter names another)"},
      {"validate --csv --delimiter , --blz-column BLZ", "BLZ;Konto\n", 2, "", "(delimiter ',')"},
      // Malformed rows keep the header's column count.
      {"validate --csv", "BLZ;Konto;Name\n\"x;1;2;3\n", 3,
       "BLZ;Konto;Name;valid;error;method;bank_number;account_number;bank_name;bank_city;"
       "message\n"
       "\"\"\"x\";1;\"2;3\";0;;;;;;;line 2: unclosed quote\n",
       "rows: 1 read"},
      {"validate --csv", "BLZ;Konto;Name\nKurz\n", 3,
       "BLZ;Konto;Name;valid;error;method;bank_number;account_number;bank_name;bank_city;"
       "message\n"
       "Kurz;;;0;;;;;;;line 2: row has no column 2\n",
       "1 of 1 rows could not be checked"},
      // A plain batch line joined by a comma gets one hint.
      {"validate", "37050198,532013000\n37050198\t532013000\n37050198;532013000\n", 0, nullptr,
       "line 1: hint: the fields of a line are separated by \";\""},
  };
  for (const auto& c : cases) {
    const CliResult result = Run(c.args, c.input);
    EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.err;
    if (c.out != nullptr) {
      EXPECT_EQ(result.out, c.out) << c.args;
    }
    EXPECT_NE(result.err.find(c.err), std::string::npos) << c.args << "\n" << result.err;
    EXPECT_LE(Count(result.err, "hint"), 1u) << c.args;
  }
}

TEST_F(CliContractTest, JsonOneObjectALine) {
  const std::string sparkasse =
      R"({"valid":true,"error":1,"method":0,"bank_number":"370 501 98","account_number":)"
      R"("532013000","bank_name":"Sparkasse KölnBonn","bank_city":"Köln","message":"Kein )"
      R"(Fehler","rules":"current"})";
  const struct {
    const char* args;
    const char* input;
    int status;
    std::string out;
  } cases[] = {
      {"validate --format json 37050198 532013000", "", 0, sparkasse + "\n"},
      {"validate --format json", "37050198;532013000\n37050198;532013000\n", 0,
       sparkasse + "\n" + sparkasse + "\n"},
      {"card --format json --rules original visa 4111111111111111", "", 0,
       R"({"valid":true,"error":1,"card_number":"4111111111111111","message":"Kein Fehler",)"
       R"("rules":"original"})"
       "\n"},
      {"bank --format json", "10000000\n1\n", 0,
       R"({"found":true,"error":1,"bank_number":"100 000 00","bank_name":"Bundesbank",)"
       R"("bank_city":"Berlin","bank_complete":"BBk Berlin","message":"Kein Fehler"})"
       "\n"
       R"({"found":false,"error":5,"bank_number":"1  ","bank_name":"","bank_city":"",)"
       R"("bank_complete":"","message":"Bankleitzahl hat falsche Anzahl Stellen"})"
       "\n"},
      {"search --format json --in city berlin", "", 0,
       R"({"found":true,"error":1,"amount":1,"message":"Kein Fehler","banks":[{"bank_number":)"
       R"("10000000","bank_name":"Bundesbank","bank_city":"Berlin"}]})"
       "\n"},
      {"iban --format json DE00", "", 1,
       R"({"valid":false,"error":4,"iban_ok":false,"blz":"","account":"","account_error":0,)"
       R"("message":"IBAN hat falsche Anzahl Stellen","iban":"DE00","rules":"current"})"
       "\n"},
      // CSV mode: the row's line and the result columns; a malformed row says why.
      {"iban --csv --format json", "IBAN\nDE00\n\"DE", 3,
       R"({"line":2,"valid":false,"error":4,"iban_ok":false,"blz":"","account":"",)"
       R"("account_error":0,"message":"IBAN hat falsche Anzahl Stellen"})"
       "\n"
       R"({"line":3,"valid":false,"message":"line 3: unclosed quote"})"
       "\n"},
      {"iban --make --format json 37050198 532013000", "", 0,
       R"({"iban":"DE71370501980532013000","error":1,"message":"Kein Fehler"})"
       "\n"},
  };
  for (const auto& c : cases) {
    const CliResult result = Run(c.args, c.input);
    EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.err;
    EXPECT_EQ(result.out, c.out) << c.args;
  }
  EXPECT_EQ(Run("validate --format xml 1 2").status, 2);
}

TEST_F(CliContractTest, InputNeverTakenForSomethingElse) {
  const struct {
    const char* args;
    int status;
    const char* err;
  } cases[] = {
      // An empty --data would read as "not set" and let another file answer.
      {"--data '' bank 10000000", 2, "--data needs a directory"},
      {"--data= bank 10000000", 2, "--data needs a directory"},
      {"bank --data '' 10000000", 2, "--data needs a directory"},
      {"bank --data= 10000000", 2, "--data needs a directory"},
      // The lone byte C3 is no UTF-8: read as Windows-1252 ("Ã"), it matches
      // no "ö", whose UTF-8 form begins with that byte.
      {"--data . search \"$(printf '\\303')\"", 1, "Keine Bank gefunden"},
      {"--data . search \"$(printf 'K\\366ln')\"", 0, ""},
  };
  for (const auto& c : cases) {
    const CliResult result = sandbox_.Run(c.args);
    EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.err;
    EXPECT_NE(result.err.find(c.err), std::string::npos) << c.args << "\n" << result.err;
  }
}

}  // namespace
}  // namespace quandor_check
