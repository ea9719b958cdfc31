// The CSV batch: options, columns, the delimiter, and the run itself.
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ascii_scan.h"
#include "batch.h"
#include "common.h"
#include "progress.h"
#include "stream_io.h"
#include "text_encoding.h"

namespace quandor_check {

StatusOr<InputEncoding> EncodingOption(const Args& args) {
  const std::string_view name = args.Value("encoding").value_or("auto");
  if (const auto encoding = ParseEncoding(name)) return *encoding;
  return Status::Usage("--encoding takes auto, utf-8 or windows-1252, not '" + std::string(name) +
                       "'");
}

StatusOr<std::optional<char>> DelimiterOption(const Args& args) {
  const auto text = args.Value("delimiter");
  if (!text) return std::optional<char>();
  if (*text == "tab" || *text == "\\t") return std::optional<char>('\t');
  if (text->size() != 1 || (*text)[0] == '"' || (*text)[0] == '\r' || (*text)[0] == '\n') {
    return Status::Usage("--delimiter takes one character other than a quote, or 'tab'");
  }
  return std::optional<char>((*text)[0]);
}

namespace {

constexpr char kDefaultDelimiter = ';';
// What spreadsheets and databases export, tried in this order when the
// default does not find the columns.
constexpr std::array<char, 4> kDelimiters = {';', ',', '\t', '|'};

std::string DelimiterName(char delimiter) {
  if (delimiter == '\t') return "tab";
  std::string name(3, '\'');
  name[1] = delimiter;
  return name;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The fields of one line split at delimiter, a quoted field's quotes taken
// off: enough to tell whether a delimiter finds the columns.
std::vector<std::string_view> SplitLine(std::string_view line, char delimiter) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] == '"') quoted = !quoted;
    if (i == line.size() || (line[i] == delimiter && !quoted)) {
      std::string_view field = line.substr(start, i - start);
      if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
      }
      fields.push_back(field);
      start = i + 1;
    }
  }
  return fields;
}

struct Layout {
  char delimiter;
  std::vector<std::size_t> positions;  // of the job's columns, as the first line gives them
};

// The delimiter of the run: the one given, else the default when it finds
// the columns in the first line, else the only one of kDelimiters that does
// (said on stderr).
StatusOr<Layout> ChooseDelimiter(const Args& args, const CsvJob& job, std::optional<char> given,
                                 std::string_view first_line, bool has_header) {
  const auto finds = [&](char delimiter) {
    const auto fields = SplitLine(first_line, delimiter);
    return ResolveColumns(args, job, fields, has_header);
  };
  const char tried = given.value_or(kDefaultDelimiter);
  auto columns = finds(tried);
  if (columns.ok()) return Layout{tried, std::move(*columns)};
  if (!given) {
    std::optional<Layout> found;
    int finding = 0;
    for (const char delimiter : kDelimiters) {
      if (delimiter == tried) continue;
      if (auto other = finds(delimiter); other.ok()) {
        ++finding;
        found = Layout{delimiter, std::move(*other)};
      }
    }
    if (finding == 1) {
      std::fprintf(stderr,
                   "quandor-check: the columns were not found with the delimiter %s; reading "
                   "the file with %s (--delimiter sets it)\n",
                   DelimiterName(tried).c_str(), DelimiterName(found->delimiter).c_str());
      return std::move(*found);
    }
  }
  return Status::Usage(columns.status().message() + " (delimiter " + DelimiterName(tried) +
                       (given ? "" : "; --delimiter names another") + ")");
}

}  // namespace

StatusOr<std::vector<std::size_t>> ResolveColumns(const Args& args, const CsvJob& job,
                                                  std::span<const std::string_view> fields,
                                                  bool has_header) {
  std::vector<std::size_t> positions;
  for (const CsvJob::Column& column : job.columns) {
    const std::string_view wanted = args.Value(column.option).value_or(column.default_value);
    const bool numeric = !wanted.empty() && std::all_of(wanted.begin(), wanted.end(), [](char c) {
      return c >= '0' && c <= '9';
    });
    if (numeric) {
      const auto position = ParseInteger(wanted);
      if (!position || *position < 1 || *position > 1'000'000) {
        return Status::Usage("--" + std::string(column.option) + " counts columns from 1");
      }
      if (static_cast<std::size_t>(*position) > fields.size()) {
        return Status::Usage(
            "no column " + std::string(wanted) + " (--" + std::string(column.option) + "): the " +
            (has_header ? "header line" : "first row") + " has " + std::to_string(fields.size()));
      }
      positions.push_back(static_cast<std::size_t>(*position - 1));
      continue;
    }
    if (!has_header) {
      return Status::Usage("--" + std::string(column.option) +
                           " names a column, but there is no header line");
    }
    auto found = std::find(fields.begin(), fields.end(), wanted);
    if (found == fields.end()) {
      found = std::find_if(fields.begin(), fields.end(), [&](std::string_view field) {
        return EqualsIgnoringCase(field, wanted);
      });
    }
    if (found == fields.end()) {
      return Status::Usage("no column '" + std::string(wanted) + "' in the header line");
    }
    positions.push_back(static_cast<std::size_t>(found - fields.begin()));
  }
  return positions;
}

bool NextDecodedRow(CsvReader& reader, CsvRow& row, InputEncoding encoding) {
  if (!reader.Next(row)) return false;
  // A whole record of ASCII, the usual case, is told at one go.
  if (!(row.problem.empty() && IsAscii(row.text)) &&
      DecodeFields(std::span(row.fields.data(), row.count), row.owned, encoding)) {
    row.canonical = false;
  }
  return true;
}

namespace {

// Appends the result columns of a malformed row: valid 0, empty fields, and
// "line N: problem" as the message.
void AppendMalformedRow(std::string& out, const CsvJob& job, std::uint64_t line,
                        std::string_view problem, char delimiter) {
  CsvFields fields(out, delimiter, true);
  fields.Number(0);
  for (std::size_t i = 2; i < job.result_names.size(); ++i) fields.Text("");
  // Kept for the run: a file of broken rows costs no allocation per row.
  static std::string message;
  message.assign("line ");
  AppendNumber(message, static_cast<std::int64_t>(line));
  message.append(": ").append(problem);
  fields.Text(message);
}

// Writes the rows of a run: the input's fields, then the result columns.
class CsvRowWriter {
 public:
  CsvRowWriter(std::string& out, char delimiter, bool bom)
      : out_(out), delimiter_(delimiter), bom_(bom) {}

  // The row's own fields. A malformed row is given width fields, so that
  // its result columns stand where every other row's do: the missing ones
  // empty, the surplus joined into the last.
  void Fields(const CsvRow& row, std::size_t width) {
    // Spreadsheets tell UTF-8 by its byte order mark: what came with one leaves with one.
    if (bom_) out_.append("\xEF\xBB\xBF");
    bom_ = false;
    if (row.canonical && width == 0) {
      out_.append(row.text);
      return;
    }
    const std::size_t shown = width == 0 ? row.count : std::min(row.count, width);
    for (std::size_t i = 0; i < shown; ++i) {
      if (i > 0) out_.push_back(delimiter_);
      if (width != 0 && i + 1 == width && row.count > width) {
        joined_.clear();
        for (std::size_t j = i; j < row.count; ++j) {
          if (j > i) joined_.push_back(delimiter_);
          joined_.append(row.fields[j]);
        }
        AppendCsvField(out_, joined_, delimiter_);
      } else {
        AppendCsvField(out_, row.fields[i], delimiter_);
      }
    }
    for (std::size_t i = shown; i < width; ++i) {
      if (i > 0) out_.push_back(delimiter_);
    }
  }

 private:
  std::string& out_;
  char delimiter_;
  bool bom_;
  std::string joined_;
};

// One row as a JSON object; missing: the first of the job's columns that
// the row does not have.
RowOutcome CheckAsJson(const CsvRow& row, std::span<const std::string_view> values,
                       std::optional<std::size_t> missing, const CsvCheck& check,
                       std::string& out) {
  JsonFields json;
  json.Number("line", static_cast<std::int64_t>(row.line));
  RowOutcome outcome = RowOutcome::kMalformed;
  if (!row.problem.empty()) {
    json.Flag("valid", false)
        .Text("message", "line " + std::to_string(row.line) + ": " + std::string(row.problem));
  } else if (missing) {
    json.Flag("valid", false)
        .Text("message", "line " + std::to_string(row.line) + ": row has no column " +
                             std::to_string(*missing + 1));
  } else {
    RowFields fields(json);
    outcome = check(values, fields);
  }
  json.AppendTo(out);
  return outcome;
}

}  // namespace

int RunCsvBatch(std::string_view command, const Args& args, const CsvJob& job, bool json,
                const CsvCheck& check) {
  const auto given = DelimiterOption(args);
  if (!given.ok()) return given.status().Report(command);
  const auto encoding = EncodingOption(args);
  if (!encoding.ok()) return encoding.status().Report(command);
  BatchFiles files;
  if (Status status = files.OpenInput(args); !status.ok()) return status.Report(command);
  AnnounceTerminalInput(files.in(), "CSV rows");
  CsvReader reader(files.in(), given->value_or(kDefaultDelimiter));
  const bool header = !args.Has("no-header");
  // Columns are settled from the first line before any row is checked and
  // before the output file is touched, so that a wrong column leaves an
  // existing file alone.
  const std::string_view first_line = reader.FirstLine();
  if (reader.failed()) return FinishBatch(BatchTally(), true, reader.error(), true, 0);
  char delimiter = given->value_or(kDefaultDelimiter);
  std::vector<std::size_t> positions(job.columns.size(), 0);
  std::size_t width = 0;  // the fields of the header or the first row
  if (!first_line.empty()) {
    auto chosen = ChooseDelimiter(args, job, *given, first_line, header);
    if (!chosen.ok()) return chosen.status().Report(command);
    delimiter = chosen->delimiter;
    reader.set_delimiter(delimiter);
    // With a header, its parsed fields settle the columns below.
    if (!header) positions = std::move(chosen->positions);
  }
  CsvRow row;
  const auto next_row = [&] { return NextDecodedRow(reader, row, *encoding); };
  const bool header_read = header && next_row();
  if (header_read) {
    auto resolved = ResolveColumns(
        args, job, std::span<const std::string_view>(row.fields.data(), row.count), true);
    if (!resolved.ok()) return resolved.status().Report(command);
    positions = std::move(*resolved);
    width = row.count;
  }
  if (Status status = files.OpenOutput(args); !status.ok()) return status.Report(command);
  OutputSink sink(files.out());
  std::string& out = sink.buffer();
  CsvRowWriter writer(out, delimiter, reader.had_bom() && !json);
  if (header_read && !json) {
    writer.Fields(row, 0);
    for (const std::string_view name : job.result_names) {
      out.push_back(delimiter);
      AppendCsvField(out, name, delimiter);
    }
    out.push_back('\n');
  }
  ProgressBar bar(2, files.input_size(), files.ShowProgress(args));
  BatchTally tally;
  std::vector<std::string_view> values(positions.size());
  std::string missing;
  bool first_row = true;
  while (next_row()) {
    if (first_row && !header) width = row.count;
    first_row = false;
    std::size_t lacking = positions.size();
    for (std::size_t i = 0; i < positions.size(); ++i) {
      if (positions[i] >= row.count && lacking == positions.size()) lacking = i;
      values[i] = row.field(positions[i]);
    }
    if (json) {
      tally.Add(
          CheckAsJson(row, values,
                      lacking < positions.size() ? std::optional(positions[lacking]) : std::nullopt,
                      check, out));
    } else if (!row.problem.empty()) {
      writer.Fields(row, width);
      AppendMalformedRow(out, job, row.line, row.problem, delimiter);
      tally.Add(RowOutcome::kMalformed);
    } else if (lacking < positions.size()) {
      writer.Fields(row, width);
      missing.assign("row has no column ");
      AppendNumber(missing, static_cast<std::int64_t>(positions[lacking] + 1));
      AppendMalformedRow(out, job, row.line, missing, delimiter);
      tally.Add(RowOutcome::kMalformed);
    } else {
      writer.Fields(row, 0);
      CsvFields csv(out, delimiter, true);
      RowFields fields(csv);
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
