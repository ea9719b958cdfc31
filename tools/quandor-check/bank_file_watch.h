// Whether the bank code file is there to answer from. A run pins the file
// (quandor::BankFilePin) and looks at it once, at its start: every row of a
// batch is answered from that one version, so a problem found then holds
// for the whole run and a change during the run is seen by the next run.
// Without the file the component answers "unknown bank code", which must
// not pass for a verdict on the row.
#ifndef QUANDOR_CHECK_BANK_FILE_WATCH_H_
#define QUANDOR_CHECK_BANK_FILE_WATCH_H_

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "quandor/banking.h"

namespace quandor_check {

// What became of one row of a batch.
enum class RowOutcome {
  kValid,         // valid, or found
  kInvalid,       // invalid, or not found
  kNotCheckable,  // no verdict: no check method for the bank, or no readable bank code file
  kMalformed,     // the row itself is broken (CSV fault, missing column, overlong line)
};

// The path of the bank code file the run reads.
std::string BankFilePath();

// Why the bank code file cannot be answered from (missing, unreadable,
// empty), naming its path; nothing when it can. Asked under the run's pin
// and after banking was made, so that it speaks of the version the run
// answers from.
std::optional<std::string> BankFileProblem(const quandor::Banking& banking);

// Judges the rows of a batch that needs the bank code file, by the problem
// the file had at the start of the run; no file-system call per row.
class BankFileWatch {
 public:
  // problem: BankFileProblem at the start of the run.
  explicit BankFileWatch(std::optional<std::string> problem) : problem_(std::move(problem)) {}

  // The outcome of a row that the component answered with ok and error.
  // A bank without a check method makes the row not checkable.
  // An answer that may stem from a missing file (unknown bank code, file
  // missing, nothing found) makes the row not checkable when the file had a
  // problem at the start, or when the component itself found it missing;
  // standard error is told once.
  RowOutcome Judge(bool ok, std::int32_t error);

 private:
  std::optional<std::string> problem_;
  bool reported_ = false;
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_BANK_FILE_WATCH_H_
