// The parts of a batch run that judge rows and talk to the user.
#include "batch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "bank_file_watch.h"
#include "temp_input.h"

namespace quandor_check {
namespace {

// A row the component could not answer counts against the file only when
// the file had a problem at the start of the run, or when the component
// found the run's version of it missing; then the run must not end in
// success. No row is judged by a look at the file as it is now.
TEST(BankFileWatchTest, JudgesRowsByTheFileAsTheRunStarted) {
  const std::optional<std::string> fine;
  const std::optional<std::string> empty = "bank code file ./blz.txt is empty";
  struct Case {
    const std::optional<std::string>& problem;  // at the start of the run
    bool ok;
    std::int32_t error;
    RowOutcome outcome;
  };
  const Case cases[] = {
      {fine, true, quandor::qdNoError, RowOutcome::kValid},
      {fine, false, quandor::qdBankNumberUnknown, RowOutcome::kInvalid},
      {fine, false, quandor::qdNoBankFound, RowOutcome::kInvalid},
      {fine, false, quandor::qdWrongCheckDigit, RowOutcome::kInvalid},
      {fine, false, quandor::qdTestingMethodUnknown, RowOutcome::kNotCheckable},
      {fine, false, quandor::qdBankNumberFileMissing, RowOutcome::kNotCheckable},
      {empty, true, quandor::qdNoError, RowOutcome::kValid},
      {empty, false, quandor::qdBankNumberUnknown, RowOutcome::kNotCheckable},
      {empty, false, quandor::qdBankNumberFileMissing, RowOutcome::kNotCheckable},
      {empty, false, quandor::qdNoBankFound, RowOutcome::kNotCheckable},
      {empty, false, quandor::qdWrongCheckDigit, RowOutcome::kInvalid},
  };
  for (const Case& c : cases) {
    BankFileWatch watch(c.problem);
    EXPECT_EQ(watch.Judge(c.ok, c.error), c.outcome) << c.problem.value_or("fine") << c.error;
  }
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
