// How quandor-check says success and failure: one table of exit statuses for
// every command, and Status, the one way a step reports that the run cannot
// go on (as LevelDB's Status does).
#ifndef QUANDOR_CHECK_STATUS_H_
#define QUANDOR_CHECK_STATUS_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace quandor_check {

// The exit statuses. A script tells from the status alone whether every
// request was answered: 0 and 1 only when it was.
inline constexpr int kExitOk = 0;        // yes: valid, found, built; a batch with every row checked
inline constexpr int kExitNegative = 1;  // no: invalid, not found, refused
inline constexpr int kExitUsageOrFile =
    2;  // wrong usage, or a file missing, unreadable, malformed or unwritable
inline constexpr int kExitUnchecked =
    3;  // no verdict: not checkable; a batch with rows not checked

struct ExitStatusText {
  int status;
  std::string_view meaning;
};

// The table as --help shows it, and as the man page and the README repeat it.
inline constexpr ExitStatusText kExitStatusTable[] = {
    {kExitOk, "success: valid, found, built, converted; a batch: every row was checked"},
    {kExitNegative, "a negative answer: invalid, not found, refused (single answers only)"},
    {kExitUsageOrFile,
     "usage error, or a file missing, unreadable, malformed or not writable (the bank code file "
     "included)"},
    {kExitUnchecked,
     "no verdict: the bank has no check method; a batch: some rows were malformed or not checked"},
};

// Appends the table, one line a status, each starting with indent.
void AppendExitStatusTable(std::string& out, std::string_view indent);

class Status {
 public:
  // Go on.
  Status() = default;

  // A usage error: "quandor-check COMMAND: message" and a hint to --help.
  static Status Usage(std::string message) {
    return Status(kExitUsageOrFile, std::move(message), true);
  }
  // A failure that ends the run with exit: "quandor-check: message".
  static Status Failure(int exit, std::string message) {
    return Status(exit, std::move(message), false);
  }
  // A file that cannot be read, written or used.
  static Status File(std::string message) { return Failure(kExitUsageOrFile, std::move(message)); }
  // Nothing more to do or say (help shown): end with exit.
  static Status Done(int exit) { return Status(exit, {}, false); }

  bool ok() const { return !exit_; }
  const std::string& message() const { return message_; }

  // Says the message on standard error, for command, and gives the exit status.
  int Report(std::string_view command) const;

 private:
  Status(int exit, std::string message, bool usage)
      : exit_(exit), message_(std::move(message)), usage_(usage) {}
  std::optional<int> exit_;
  std::string message_;
  bool usage_ = false;
};

// A value, or the Status that stands in for it.
template <typename T>
class StatusOr {
 public:
  StatusOr(T value) : value_(std::move(value)) {}          // NOLINT: implicit by design
  StatusOr(Status status) : status_(std::move(status)) {}  // NOLINT
  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_STATUS_H_
