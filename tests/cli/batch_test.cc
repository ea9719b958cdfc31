// The parts of a batch run that judge rows and talk to the user.
#include "batch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <fstream>

#include "bank_file_watch.h"
#include "temp_input.h"

namespace quandor_check {
namespace {

// A row the component could not answer counts against the file only when
// the file is really gone or empty; then the run must not end in success.
TEST(BankFileWatchTest, JudgesRowsByTheFileAsItIsNow) {
  std::string dir = (std::filesystem::temp_directory_path() / "quandor-watch-XXXXXX").string();
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  ::setenv("QUANDOR_DATA_DIR", dir.c_str(), 1);
  const auto file = std::filesystem::path(dir) / "blz.txt";
  struct Case {
    const char* file;  // contents, or nullptr for no file
    bool ok;
    std::int32_t error;
    RowOutcome outcome;
  };
  const Case cases[] = {
      {"10000000;B;C;D;09\r\n", true, quandor::qdNoError, RowOutcome::kValid},
      {"10000000;B;C;D;09\r\n", false, quandor::qdBankNumberUnknown, RowOutcome::kInvalid},
      {"10000000;B;C;D;09\r\n", false, quandor::qdWrongCheckDigit, RowOutcome::kInvalid},
      {nullptr, false, quandor::qdBankNumberUnknown, RowOutcome::kNotCheckable},
      {nullptr, false, quandor::qdBankNumberFileMissing, RowOutcome::kNotCheckable},
      {nullptr, false, quandor::qdNoBankFound, RowOutcome::kNotCheckable},
      {nullptr, false, quandor::qdWrongCheckDigit, RowOutcome::kInvalid},
      {"", false, quandor::qdBankNumberUnknown, RowOutcome::kNotCheckable},
  };
  BankFileWatch watch;
  for (const Case& c : cases) {
    std::filesystem::remove(file);
    if (c.file != nullptr) std::ofstream(file, std::ios::binary) << c.file;
    EXPECT_EQ(watch.Judge(c.ok, c.error), c.outcome) << (c.file ? c.file : "no file") << c.error;
  }
  ::unsetenv("QUANDOR_DATA_DIR");
  std::filesystem::remove_all(dir);
}

TEST(BatchTallyTest, SummaryCountsEveryOutcome) {
  BatchTally tally;
  for (const RowOutcome outcome : {RowOutcome::kValid, RowOutcome::kValid, RowOutcome::kInvalid,
                                   RowOutcome::kNotCheckable, RowOutcome::kMalformed}) {
    tally.Add(outcome);
  }
  EXPECT_EQ(tally.Summary(), "rows: 5 read, 2 valid, 1 invalid, 1 not checkable, 1 malformed");
}

// Only a terminal gets the hint; a pipe or a file is read silently.
TEST(AnnounceTerminalInputTest, SpeaksOnlyToATerminal) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  const TempInput file("");
  TempInput said("");
  AnnounceTerminalInput(file.fd(), "one request a line", said.file());
  EXPECT_EQ(std::ftell(said.file()), 0);
  AnnounceTerminalInput(terminal, "one request a line", said.file());
  std::fflush(said.file());
  std::rewind(said.file());
  char buffer[256] = {};
  const std::string text(buffer, std::fread(buffer, 1, sizeof buffer - 1, said.file()));
  EXPECT_NE(text.find("one request a line"), std::string::npos) << text;
  EXPECT_NE(text.find("Ctrl-D"), std::string::npos) << text;
  ::close(terminal);
  ::close(master);
}

}  // namespace
}  // namespace quandor_check
