// The two batch shapes of the subcommands, streaming with bounded memory:
//  - plain: one input line in, one result line "f1;f2;..." out;
//  - CSV: a CSV file in, the same rows out with result columns appended.
// Both read --input FILE (else stdin), write --output FILE (else stdout) and
// show a progress bar on stderr for long runs into a file.
#ifndef QUANDOR_CHECK_BATCH_H_
#define QUANDOR_CHECK_BATCH_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "args.h"
#include "common.h"
#include "csv.h"
#include "progress.h"
#include "stream_io.h"

namespace quandor_check {

inline constexpr OptionSpec kBatchOptions[] = {
    {"input", true}, {"output", true}, {"progress", false}, {"no-progress", false}};
inline constexpr OptionSpec kCsvOptions[] = {
    {"csv", false}, {"delimiter", true}, {"no-header", false}};

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

// Reports read and write failures at the end of a run; the exit status.
int FinishBatch(bool read_failed, int read_error, bool write_ok, int write_error);

// Plain batch: handle(line, out) appends the result fields of one input line,
// without line end.
template <typename Handle>
int RunLineBatch(const Args& args, Handle&& handle) {
  BatchFiles files;
  if (const auto error = files.Open(args)) return Fail(kExitUsage, *error);
  LineReader reader(files.in());
  OutputSink sink(files.out());
  ProgressBar bar(2, files.input_size(), files.ShowProgress(args));
  std::uint64_t rows = 0;
  std::string_view line;
  while (reader.Next(line)) {
    handle(line, sink.buffer());
    sink.buffer().push_back('\n');
    sink.MaybeFlush();
    bar.Update(++rows, reader.consumed());
  }
  sink.Flush();
  bar.Finish(rows, reader.consumed());
  return FinishBatch(reader.failed(), reader.error(), sink.ok(), sink.error());
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

// True when args ask for CSV mode: --csv, --input, --delimiter, --no-header
// or one of the job's column options.
bool WantsCsv(const Args& args, const CsvJob& job);

// The delimiter of --delimiter: one character, or "tab" / "\t".
std::optional<char> DelimiterOption(const Args& args, std::string& error);

// Where the job's columns are, from the options and the header (when there
// is one). A message when a column cannot be found.
std::optional<std::string> ResolveColumns(const Args& args, const CsvJob& job, const CsvRow* header,
                                          std::vector<std::size_t>& positions);

// Appends the result columns of a row that could not be checked: valid 0,
// empty fields, and problem as the message.
void AppendUncheckedRow(std::string& out, const CsvJob& job, std::string_view problem,
                        char delimiter);

// CSV batch: check(values, fields) appends, for the job's column values of
// one row, every result column to fields (which separates them from the row).
template <typename Check>
int RunCsvBatch(std::string_view command, const Args& args, const CsvJob& job, Check&& check) {
  std::string error;
  const auto delimiter = DelimiterOption(args, error);
  if (!delimiter) return UsageError(command, error);
  BatchFiles files;
  if (const auto open_error = files.OpenInput(args)) return Fail(kExitUsage, *open_error);
  CsvReader reader(files.in(), *delimiter);
  CsvRow row;
  std::vector<std::size_t> positions;
  const bool header = !args.Has("no-header");
  const bool header_read = header && reader.Next(row);
  if (reader.failed()) return FinishBatch(true, reader.error(), true, 0);
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
  std::uint64_t rows = 0;
  while (reader.Next(row)) {
    append_fields(row);
    std::size_t lacking = positions.size();
    for (std::size_t i = 0; i < positions.size(); ++i) {
      if (positions[i] >= row.count && lacking == positions.size()) lacking = i;
      values[i] = row.field(positions[i]);
    }
    if (!row.problem.empty()) {
      AppendUncheckedRow(out, job, row.problem, *delimiter);
    } else if (lacking < positions.size()) {
      missing = "row has no column " + std::to_string(positions[lacking] + 1);
      AppendUncheckedRow(out, job, missing, *delimiter);
    } else {
      CsvFields fields(out, *delimiter, true);
      check(std::span<const std::string_view>(values), fields);
    }
    out.push_back('\n');
    sink.MaybeFlush();
    bar.Update(++rows, reader.consumed());
  }
  sink.Flush();
  bar.Finish(rows, reader.consumed());
  return FinishBatch(reader.failed(), reader.error(), sink.ok(), sink.error());
}

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_BATCH_H_
