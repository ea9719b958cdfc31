// The two batch shapes of the subcommands, streaming with bounded memory:
//  - plain: one input line in, one result line out ("f1;f2;..." or JSON);
//  - CSV: a CSV file in, the same rows out with result columns appended.
// Both read --input FILE (else stdin), write --output FILE (else stdout),
// show a progress bar on stderr for long runs into a file and end with a
// summary line on stderr.
#ifndef QUANDOR_CHECK_BATCH_H_
#define QUANDOR_CHECK_BATCH_H_

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "args.h"
#include "bank_file_watch.h"
#include "csv.h"
#include "row_fields.h"
#include "status.h"
#include "text_encoding.h"

namespace quandor_check {

inline constexpr OptionSpec kBatchOptions[] = {
    {"input", true}, {"output", true}, {"progress", false}, {"no-progress", false}};
inline constexpr OptionSpec kCsvOptions[] = {
    {"csv", false}, {"delimiter", true}, {"no-header", false}, {"encoding", true}};

// The files of a batch run.
class BatchFiles {
 public:
  BatchFiles() = default;
  ~BatchFiles();
  BatchFiles(const BatchFiles&) = delete;
  BatchFiles& operator=(const BatchFiles&) = delete;

  // Opens --input and --output; a file error when that fails or when both
  // name the same file.
  Status Open(const Args& args) {
    if (Status status = OpenInput(args); !status.ok()) return status;
    return OpenOutput(args);
  }
  Status OpenInput(const Args& args);
  Status OpenOutput(const Args& args);
  int in() const { return in_; }
  int out() const { return out_; }
  // Whether to draw the progress bar: --progress, or output into a file
  // from an input of at least a megabyte while stderr is a terminal.
  bool ShowProgress(const Args& args) const;
  std::uint64_t input_size() const { return input_size_; }

 private:
  int in_ = 0;
  int out_ = 1;
  bool output_to_file_ = false;
  std::uint64_t input_size_ = 0;  // 0 unless the input is a regular file
  bool input_known_ = false;      // input_device_ and input_inode_ are set
  std::uint64_t input_device_ = 0;
  std::uint64_t input_inode_ = 0;
};

// The rows of a run by outcome.
class BatchTally {
 public:
  void Add(RowOutcome outcome) {
    ++read_;
    ++counts_[static_cast<std::size_t>(outcome)];
  }
  std::uint64_t read() const { return read_; }
  std::uint64_t count(RowOutcome outcome) const {
    return counts_[static_cast<std::size_t>(outcome)];
  }
  // "rows: N read, a valid, b invalid, c not checkable, d malformed"
  std::string Summary() const;

 private:
  std::uint64_t read_ = 0;
  std::uint64_t counts_[4] = {};
};

// Says once on stderr what the command waits for when fd, its input, is a
// terminal: a user who typed the command without arguments sees why
// nothing happens and how to end.
void AnnounceTerminalInput(int fd, std::string_view what, std::FILE* to = stderr);

// Ends a run: the summary line on stderr, then read and write failures.
// The exit status: kExitUsageOrFile on a read or write failure,
// kExitUnchecked when a row was malformed or not checkable, else kExitOk.
int FinishBatch(const BatchTally& tally, bool read_failed, int read_error, bool write_ok,
                int write_error);

// The requests of a plain batch.
enum class LineShape {
  kSingle,  // one field a line
  kPair,    // two fields split at the first ";"
};

// The two fields of a kPair line; the second is empty without a ";".
std::pair<std::string_view, std::string_view> SplitPair(std::string_view line);

// Plain batch: check(line, out) appends the result of one input line,
// without line end, and returns the row's RowOutcome. A kPair batch whose
// line has a comma or tab between digit groups and no ";" hints once at
// the delimiter.
using LineCheck = std::function<RowOutcome(std::string_view line, std::string& out)>;
int RunLineBatch(const Args& args, LineShape shape, const LineCheck& check);

// What a subcommand checks in CSV mode.
struct CsvJob {
  struct Column {
    std::string_view option;         // e.g. "blz-column"
    std::string_view default_value;  // a 1-based position or a header name
  };
  std::span<const Column> columns;
  // Names of the appended columns; the first is "valid", the last "message".
  std::span<const std::string_view> result_names;
};

// True when args ask for CSV mode: --csv, --input, --delimiter, --no-header,
// --encoding or one of the job's column options.
bool WantsCsv(const Args& args, const CsvJob& job);

// --encoding: auto (the default), utf-8 or windows-1252.
StatusOr<InputEncoding> EncodingOption(const Args& args);

// --delimiter: one character, or "tab" / "\t"; nothing when not given.
StatusOr<std::optional<char>> DelimiterOption(const Args& args);

// Where the job's columns are among fields, the header's when has_header,
// else the first row's: every column must be there.
StatusOr<std::vector<std::size_t>> ResolveColumns(const Args& args, const CsvJob& job,
                                                  std::span<const std::string_view> fields,
                                                  bool has_header);

// Reads the next row of reader into row, its fields decoded from encoding
// to UTF-8; false at the end of the input.
bool NextDecodedRow(CsvReader& reader, CsvRow& row, InputEncoding encoding);

// CSV batch: check(values, fields) writes, for the job's column values of
// one row, every result column to fields, and returns the row's RowOutcome.
// As CSV, the result columns follow the row's own; as JSON, each row is one
// object of "line" (where the row starts) and the result columns, and a
// malformed row one of line, valid false and message.
using CsvCheck =
    std::function<RowOutcome(std::span<const std::string_view> values, RowFields& fields)>;
int RunCsvBatch(std::string_view command, const Args& args, const CsvJob& job, bool json,
                const CsvCheck& check);

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_BATCH_H_
