// The tool tells the truth: no row lost or merged, no failure passed off as
// success, nothing from the bank code file written raw to a terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli_runner.h"

namespace quandor_check {
namespace {

// Method 09 accepts every account; 532013000 passes method 00. The third
// record carries an escape sequence, a tab, a NUL and a DEL.
constexpr char kBankFileBytes[] =
    "10000000;Bundesbank;Berlin;BBk Berlin;09;10591;MARKDEF1100\r\n"
    "37050198;Sparkasse K\xC3\xB6lnBonn;K\xC3\xB6ln;Spk K\xC3\xB6lnBonn;00;50667;COLSDE33XXX\r\n"
    "60000000;Evil\x1B[2JBank\tX;Ci\0ty;Sh\x7Fort;09;10591;\r\n";
const std::string kBankFile(kBankFileBytes, sizeof kBankFileBytes - 1);
constexpr const char* kReplacement = "\xEF\xBF\xBD";

class CliTruthTest : public testing::Test {
 protected:
  void SetUp() override { WriteFile(sandbox_ / "blz.txt", kBankFile); }
  CliResult Run(const std::string& args, const std::string& input = "") {
    return sandbox_.Run("--data . " + args, input);
  }
  CliSandbox sandbox_;
};

// A stray quote used to swallow the next lines into one record marked valid.
TEST_F(CliTruthTest, StrayQuoteMergesNoRows) {
  WriteFile(sandbox_ / "in.csv",
            "Name;BLZ;Konto\n\"Meier;37050198;1\nOk;37050198;1\n"
            "Schmidt \"Hans\";37050198;532013000\n");
  const CliResult result = Run("validate --input in.csv --blz-column BLZ --account-column Konto");
  EXPECT_EQ(result.status, 3) << result.err;  // one row malformed
  EXPECT_EQ(result.out,
            "Name;BLZ;Konto;valid;error;method;bank_number;account_number;bank_name;bank_city;"
            "message\n"
            "\"\"\"Meier\";37050198;1;0;;;;;;;line 2: text after a closing quote\n"
            "Ok;37050198;1;0;2;0;370 501 98;1;Sparkasse K\xC3\xB6lnBonn;K\xC3\xB6ln;"
            "Kontonummer ist falsch\n"
            "\"Schmidt \"\"Hans\"\"\";37050198;532013000;1;1;0;370 501 98;532013000;"
            "Sparkasse K\xC3\xB6lnBonn;K\xC3\xB6ln;Kein Fehler\n");
  EXPECT_NE(result.err.find("rows: 3 read, 1 valid, 1 invalid, 0 not checkable, 1 malformed"),
            std::string::npos)
      << result.err;
}

// German spreadsheets export Windows-1252; the output is UTF-8 either way.
TEST_F(CliTruthTest, Windows1252CsvComesOutAsUtf8) {
  WriteFile(sandbox_ / "in.csv",
            "Name;BLZ\n"
            "M\xFCller;10000000\n"
            "K\xC3\xB6ln;10000000\n");
  const struct {
    const char* option;
    const char* first;
    const char* second;
  } cases[] = {
      {"", "M\xC3\xBCller", "K\xC3\xB6ln"},
      {"--encoding auto", "M\xC3\xBCller", "K\xC3\xB6ln"},
      {"--encoding utf-8", "M\xEF\xBF\xBDller", "K\xC3\xB6ln"},
      {"--encoding windows-1252", "M\xC3\xBCller", "K\xC3\x83\xC2\xB6ln"},
  };
  for (const auto& c : cases) {
    const CliResult result =
        Run(std::string("validate --input in.csv --blz-column BLZ --account-column 1 ") + c.option);
    EXPECT_EQ(result.status, 0) << c.option << result.err;
    // The names are the account column: no digits, so the account is missing.
    const std::string tail = ";10000000;0;4;-1;100 000 00;;;;Kontonummer fehlt\n";
    EXPECT_EQ(
        result.out,
        "Name;BLZ;valid;error;method;bank_number;account_number;bank_name;bank_city;message\n" +
            std::string(c.first) + tail + c.second + tail)
        << c.option;
  }
  EXPECT_EQ(Run("validate --input in.csv --encoding ebcdic").status, 2);
}

TEST_F(CliTruthTest, WriteErrorsOfOneShotCommandsFail) {
  for (const char* command :
       {"validate 37050198 532013000", "validate 37050198 1", "bank 37050198", "search Bundesbank",
        "card visa 4111111111111111", "iban DE71370501980532013000", "validate --help"}) {
    const CliResult result = Run(std::string(command) + " >/dev/full");
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_NE(result.err.find("cannot write output"), std::string::npos) << command << result.err;
  }
}

// Without a usable bank code file nothing passes for an answer: the path is
// named, and a batch that could not check a row does not end in success.
TEST_F(CliTruthTest, MissingOrEmptyBankFileIsNamed) {
  const struct {
    const char* file;  // contents of blz.txt; nullptr: none
    const char* args;
    const char* input;
    const char* said;
    int status = 2;  // 3: a batch with rows not checked
  } cases[] = {
      {"", "--data . validate 37050198 532013000", "", "./blz.txt is empty"},
      {"", "--data . validate", "37050198;532013000\n", "./blz.txt is empty"},
      {"", "--data . bank 37050198", "", "./blz.txt is empty"},
      {"", "--data . search Bank", "", "./blz.txt is empty"},
      {"", "--data . iban", "DE71370501980532013000\nGB82WEST12345698765432\n",
       "rows: 2 read, 1 valid, 0 invalid, 1 not checkable, 0 malformed", 3},
      {nullptr, "--data ./nowhere bank 37050198", "", "./nowhere/blz.txt not found"},
      {nullptr, "validate --data ./nowhere 37050198 1", "", "./nowhere/blz.txt not found"},
      {nullptr, "--data ./nowhere iban --csv --no-header", "DE71370501980532013000\n",
       "./nowhere/blz.txt not found", 3},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(sandbox_ / "blz.txt");
    if (c.file != nullptr) WriteFile(sandbox_ / "blz.txt", c.file);
    const CliResult result = sandbox_.Run(c.args, c.input);
    EXPECT_EQ(result.status, c.status) << c.args;
    EXPECT_NE(result.err.find(c.said), std::string::npos) << c.args << "\n" << result.err;
  }
}

// A batch answers every row from the bank code file as it was at its start,
// whatever happens to the file while the rows still come in through a pipe.
TEST_F(CliTruthTest, BatchAnswersFromTheFileAsItWasAtTheStart) {
  // Far more than a pipe holds: once written, the tool has been reading,
  // so it made its start before the file changes.
  std::string rows;
  for (int i = 0; i < 20000; ++i) rows += "37050198;532013000\n";
  const std::string answer = "1;1;0;370 501 98;532013000;Sparkasse K\xC3\xB6lnBonn;K\xC3\xB6ln\n";
  const struct {
    const char* change;
    const char* file;  // the file's new contents; nullptr: deleted
  } cases[] = {
      {"replaced", "37050198;Andere Bank;Bonn;Andere;00;53111;\r\n"},
      {"emptied", ""},
      {"deleted", nullptr},
  };
  for (const auto& c : cases) {
    WriteFile(sandbox_ / "blz.txt", kBankFile);
    const std::string fifo = (sandbox_ / "rows").string();
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string command = "cd '" + sandbox_.dir().string() + "' && XDG_CONFIG_HOME=. '" +
                                QUANDOR_CHECK_BIN + "' --data . validate <rows >out 2>err";
    std::FILE* run = ::popen(command.c_str(), "w");
    ASSERT_NE(run, nullptr);
    const int feed = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(feed, 0);
    ASSERT_EQ(::write(feed, rows.data(), rows.size()), static_cast<ssize_t>(rows.size()));
    // Not an atomic swap: the name is missing or the file half written for a while.
    std::filesystem::remove(sandbox_ / "blz.txt");
    if (c.file != nullptr) WriteFile(sandbox_ / "blz.txt", c.file);
    ASSERT_EQ(::write(feed, rows.data(), rows.size()), static_cast<ssize_t>(rows.size()));
    ::close(feed);
    const int status = ::pclose(run);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.change;
    const std::string out = ReadFile(sandbox_ / "out");
    std::string expected;
    for (int i = 0; i < 40000; ++i) expected += answer;
    EXPECT_TRUE(out == expected) << c.change << ": " << out.substr(0, 300);
    EXPECT_NE(ReadFile(sandbox_ / "err").find("rows: 40000 read, 40000 valid"), std::string::npos)
        << c.change << ReadFile(sandbox_ / "err");
  }
}

TEST_F(CliTruthTest, ControlCharactersFromTheBankFileAreReplaced) {
  const struct {
    const char* args;
    const char* input;
  } cases[] = {
      {"bank 60000000", ""},        {"bank", "60000000\n"},
      {"search Evil", ""},          {"validate 60000000 1", ""},
      {"validate", "60000000;1\n"}, {"validate --csv --no-header", "60000000;1\n"},
  };
  for (const auto& c : cases) {
    const CliResult result = Run(c.args, c.input);
    EXPECT_EQ(result.status, 0) << c.args << result.err;
    for (const char control : {'\x1B', '\t', '\0', '\x7F'}) {
      EXPECT_EQ(result.out.find(control), std::string::npos)
          << c.args << ": control " << int{control} << " in " << result.out;
    }
    EXPECT_NE(result.out.find(std::string("Evil") + kReplacement + "[2JBank" + kReplacement + "X"),
              std::string::npos)
        << c.args << ": " << result.out;
  }
}

}  // namespace
}  // namespace quandor_check
