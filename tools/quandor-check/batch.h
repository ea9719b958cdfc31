// The two batch shapes of the subcommands, streaming with bounded memory:
//  - plain: one input line in, one result line "f1;f2;..." out;
//  - CSV: a CSV file in, the same rows out with result columns appended.
// Both read --input FILE (else stdin), write --output FILE (else stdout),
// show a progress bar on stderr for long runs into a file and end with a
// summary line on stderr.
#ifndef QUANDOR_CHECK_BATCH_H_
#define QUANDOR_CHECK_BATCH_H_

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "args.h"
#include "ascii_scan.h"
#include "bank_file_watch.h"
#include "common.h"
#include "csv.h"
#include "progress.h"
#include "stream_io.h"
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

  // Opens --input, and --output unless input_only; a message when that fails
  // or when both name the same file.
  std::optional<std::string> Open(const Args& args) {
    if (auto error = OpenInput(args)) return error;
    return OpenOutput(args);
  }
  std::optional<std::string> OpenInput(const Args& args);
  std::optional<std::string> OpenOutput(const Args& args);
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
// The exit status: kExitUsage on a failure or when a row could not be
// checked for want of the bank code file, else kExitOk.
int FinishBatch(const BatchTally& tally, bool read_failed, int read_error, bool write_ok,
                int write_error);

// Plain batch: handle(line, out) appends the result fields of one input line,
// without line end, and returns the row's RowOutcome.
template <typename Handle>
int RunLineBatch(const Args& args, Handle&& handle) {
  BatchFiles files;
  if (const auto error = files.Open(args)) return Fail(kExitUsage, *error);
  AnnounceTerminalInput(files.in(), "one request a line");
  LineReader reader(files.in());
  OutputSink sink(files.out());
  ProgressBar bar(2, files.input_size(), files.ShowProgress(args));
  BatchTally tally;
  std::string_view line;
  while (reader.Next(line)) {
    const RowOutcome outcome = handle(line, sink.buffer());
    tally.Add(reader.truncated() ? RowOutcome::kMalformed : outcome);
    sink.buffer().push_back('\n');
    sink.MaybeFlush();
    bar.Update(tally.read(), reader.consumed());
  }
  sink.Flush();
  bar.Finish(tally.read(), reader.consumed());
  return FinishBatch(tally, reader.failed(), reader.error(), sink.ok(), sink.error());
}

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

// The delimiter of --delimiter: one character, or "tab" / "\t".
std::optional<char> DelimiterOption(const Args& args, std::string& error);

// Where the job's columns are, from the options and the header (when there
// is one). A message when a column cannot be found.
std::optional<std::string> ResolveColumns(const Args& args, const CsvJob& job, const CsvRow* header,
                                          std::vector<std::size_t>& positions);

// The encoding of --encoding (default auto).
std::optional<InputEncoding> EncodingOption(const Args& args, std::string& error);

// Appends the result columns of a malformed row: valid 0, empty fields, and
// "line N: problem" as the message.
void AppendMalformedRow(std::string& out, const CsvJob& job, std::uint64_t line,
                        std::string_view problem, char delimiter);

// CSV batch: check(values, fields) appends, for the job's column values of
// one row, every result column to fields (which separates them from the row),
// and returns the row's RowOutcome.
template <typename Check>
int RunCsvBatch(std::string_view command, const Args& args, const CsvJob& job, Check&& check) {
  std::string error;
  const auto delimiter = DelimiterOption(args, error);
  if (!delimiter) return UsageError(command, error);
  const auto encoding = EncodingOption(args, error);
  if (!encoding) return UsageError(command, error);
  BatchFiles files;
  if (const auto open_error = files.OpenInput(args)) return Fail(kExitUsage, *open_error);
  AnnounceTerminalInput(files.in(), "CSV rows");
  CsvReader reader(files.in(), *delimiter);
  CsvRow row;
  const auto next_row = [&] {
    if (!reader.Next(row)) return false;
    // A whole record of ASCII, the usual case, is told at one go.
    if (!(row.problem.empty() && IsAscii(row.text)) &&
        DecodeFields(std::span(row.fields.data(), row.count), row.owned, *encoding)) {
      row.canonical = false;
    }
    return true;
  };
  std::vector<std::size_t> positions;
  const bool header = !args.Has("no-header");
  const bool header_read = header && next_row();
  BatchTally tally;
  if (reader.failed()) return FinishBatch(tally, true, reader.error(), true, 0);
  if (header && !header_read) positions.assign(job.columns.size(), 0);  // empty input
  // Columns are settled before the output file is touched, so that a wrong
  // column name leaves an existing file alone.
  if (const auto column_error =
          header && !header_read ? std::nullopt
                                 : ResolveColumns(args, job, header ? &row : nullptr, positions)) {
    return UsageError(command, *column_error);
  }
  if (const auto open_error = files.OpenOutput(args)) return Fail(kExitUsage, *open_error);
  OutputSink sink(files.out());
  std::string& out = sink.buffer();
  bool first_row = true;
  const auto append_fields = [&](const CsvRow& r) {
    // Spreadsheets tell UTF-8 by its byte order mark: what came with one leaves with one.
    if (first_row && reader.had_bom()) out.append("\xEF\xBB\xBF");
    first_row = false;
    if (r.canonical) {
      out.append(r.text);
      return;
    }
    for (std::size_t i = 0; i < r.count; ++i) {
      if (i > 0) out.push_back(*delimiter);
      AppendCsvField(out, r.fields[i], *delimiter);
    }
  };
  if (header_read) {
    append_fields(row);
    for (const std::string_view name : job.result_names) {
      out.push_back(*delimiter);
      AppendCsvField(out, name, *delimiter);
    }
    out.push_back('\n');
  }
  ProgressBar bar(2, files.input_size(), files.ShowProgress(args));
  std::vector<std::string_view> values(positions.size());
  std::string missing;
  while (next_row()) {
    append_fields(row);
    std::size_t lacking = positions.size();
    for (std::size_t i = 0; i < positions.size(); ++i) {
      if (positions[i] >= row.count && lacking == positions.size()) lacking = i;
      values[i] = row.field(positions[i]);
    }
    if (!row.problem.empty()) {
      AppendMalformedRow(out, job, row.line, row.problem, *delimiter);
      tally.Add(RowOutcome::kMalformed);
    } else if (lacking < positions.size()) {
      missing.assign("row has no column ");
      AppendNumber(missing, static_cast<std::int64_t>(positions[lacking] + 1));
      AppendMalformedRow(out, job, row.line, missing, *delimiter);
      tally.Add(RowOutcome::kMalformed);
    } else {
      CsvFields fields(out, *delimiter, true);
      tally.Add(check(std::span<const std::string_view>(values), fields));
    }
    out.push_back('\n');
    sink.MaybeFlush();
    bar.Update(tally.read(), reader.consumed());
  }
  sink.Flush();
  bar.Finish(tally.read(), reader.consumed());
  return FinishBatch(tally, reader.failed(), reader.error(), sink.ok(), sink.error());
}

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_BATCH_H_
