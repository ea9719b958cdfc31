// Whether the bank code file is there to answer from: at the start of a run,
// and during a batch, where it may vanish or be emptied under the tool. The
// component then answers "unknown bank code", which must not pass for a
// verdict on the row.
#ifndef QUANDOR_CHECK_BANK_FILE_WATCH_H_
#define QUANDOR_CHECK_BANK_FILE_WATCH_H_

#include <cstdint>
#include <optional>
#include <string>

#include "quandor/banking.h"

namespace quandor_check {

// What became of one row of a batch.
enum class RowOutcome {
  kValid,         // valid, or found
  kInvalid,       // invalid, or not found
  kNotCheckable,  // no answer for want of a readable bank code file
  kMalformed,     // the row itself is broken (CSV fault, missing column, overlong line)
};

// The path of the bank code file the run reads.
std::string BankFilePath();

// Why the bank code file cannot be answered from (missing, unreadable,
// empty), naming its path; nothing when it can.
std::optional<std::string> BankFileProblem(const quandor::Banking& banking);

// Judges the rows of a batch that needs the bank code file.
class BankFileWatch {
 public:
  BankFileWatch() : path_(BankFilePath()) {}

  // The outcome of a row that the component answered with ok and error.
  // An answer that may stem from a missing file (unknown bank code, file
  // missing, nothing found) is checked against the file: when it is gone or
  // empty the row is not checkable, and standard error is told once.
  RowOutcome Judge(bool ok, std::int32_t error);

 private:
  std::string path_;
  bool reported_ = false;
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_BANK_FILE_WATCH_H_
