#include "batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quandor_check {

BatchFiles::~BatchFiles() {
  if (in_ != 0) ::close(in_);
  if (out_ != 1) ::close(out_);
}

std::optional<std::string> BatchFiles::OpenInput(const Args& args) {
  if (const auto input = args.Value("input"); input && *input != "-") {
    in_ = ::open(std::string(*input).c_str(), O_RDONLY | O_CLOEXEC);
    if (in_ < 0) {
      in_ = 0;
      return "cannot read " + std::string(*input) + ": " + std::strerror(errno);
    }
  }
  struct stat in_stat {};
  if (::fstat(in_, &in_stat) == 0) {
    input_known_ = true;
    input_device_ = static_cast<std::uint64_t>(in_stat.st_dev);
    input_inode_ = static_cast<std::uint64_t>(in_stat.st_ino);
    if (S_ISREG(in_stat.st_mode)) input_size_ = static_cast<std::uint64_t>(in_stat.st_size);
  }
  return std::nullopt;
}

std::optional<std::string> BatchFiles::OpenOutput(const Args& args) {
  const auto output = args.Value("output");
  if (!output || *output == "-") return std::nullopt;
  const std::string name(*output);
  struct stat out_stat {};
  // Truncating the output first would destroy an input of the same name.
  if (input_known_ && ::stat(name.c_str(), &out_stat) == 0 &&
      static_cast<std::uint64_t>(out_stat.st_dev) == input_device_ &&
      static_cast<std::uint64_t>(out_stat.st_ino) == input_inode_) {
    return "the output " + name + " is the input file";
  }
  out_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out_ < 0) {
    out_ = 1;
    return "cannot write " + name + ": " + std::strerror(errno);
  }
  output_to_file_ = true;
  return std::nullopt;
}

bool BatchFiles::ShowProgress(const Args& args) const {
  if (args.Has("no-progress")) return false;
  if (args.Has("progress")) return true;
  constexpr std::uint64_t kLargeInput = 1 << 20;
  return output_to_file_ && input_size_ >= kLargeInput && ::isatty(2);
}

std::string BatchTally::Summary() const {
  return "rows: " + std::to_string(read_) + " read, " + std::to_string(count(RowOutcome::kValid)) +
         " valid, " + std::to_string(count(RowOutcome::kInvalid)) + " invalid, " +
         std::to_string(count(RowOutcome::kNotCheckable)) + " not checkable, " +
         std::to_string(count(RowOutcome::kMalformed)) + " malformed";
}

void AnnounceTerminalInput(int fd, std::string_view what, std::FILE* to) {
  if (!::isatty(fd)) return;
  std::fprintf(to, "quandor-check: reading %.*s from the terminal; Ctrl-D ends\n",
               static_cast<int>(what.size()), what.data());
}

int FinishBatch(const BatchTally& tally, bool read_failed, int read_error, bool write_ok,
                int write_error) {
  std::fprintf(stderr, "quandor-check: %s\n", tally.Summary().c_str());
  if (read_failed)
    return Fail(kExitUsage, std::string("cannot read input: ") + std::strerror(read_error));
  if (!write_ok)
    return Fail(kExitUsage, std::string("cannot write output: ") + std::strerror(write_error));
  if (tally.count(RowOutcome::kNotCheckable) > 0) {
    return Fail(kExitUsage, std::to_string(tally.count(RowOutcome::kNotCheckable)) +
                                " rows could not be checked");
  }
  return kExitOk;
}

std::optional<InputEncoding> EncodingOption(const Args& args, std::string& error) {
  const std::string_view name = args.Value("encoding").value_or("auto");
  const auto encoding = ParseEncoding(name);
  if (!encoding)
    error = "--encoding takes auto, utf-8 or windows-1252, not '" + std::string(name) + "'";
  return encoding;
}

bool WantsCsv(const Args& args, const CsvJob& job) {
  for (const std::string_view option : {"csv", "input", "delimiter", "no-header", "encoding"}) {
    if (args.Has(option)) return true;
  }
  return std::any_of(job.columns.begin(), job.columns.end(),
                     [&](const CsvJob::Column& column) { return args.Has(column.option); });
}

std::optional<char> DelimiterOption(const Args& args, std::string& error) {
  const std::string_view text = args.Value("delimiter").value_or(";");
  if (text == "tab" || text == "\\t") return '\t';
  if (text.size() != 1 || text[0] == '"' || text[0] == '\r' || text[0] == '\n') {
    error = "--delimiter takes one character other than a quote, or 'tab'";
    return std::nullopt;
  }
  return text[0];
}

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::optional<std::string> ResolveColumns(const Args& args, const CsvJob& job, const CsvRow* header,
                                          std::vector<std::size_t>& positions) {
  positions.clear();
  for (const CsvJob::Column& column : job.columns) {
    const std::string_view wanted = args.Value(column.option).value_or(column.default_value);
    const bool numeric = !wanted.empty() && std::all_of(wanted.begin(), wanted.end(), [](char c) {
      return c >= '0' && c <= '9';
    });
    if (numeric) {
      const auto position = ParseInteger(wanted);
      if (!position || *position < 1 || *position > 1'000'000) {
        return "--" + std::string(column.option) + " counts columns from 1";
      }
      positions.push_back(static_cast<std::size_t>(*position - 1));
      continue;
    }
    if (header == nullptr) {
      return "--" + std::string(column.option) + " names a column, but there is no header line";
    }
    std::size_t found = header->count;
    for (std::size_t i = 0; i < header->count && found == header->count; ++i) {
      if (header->fields[i] == wanted) found = i;
    }
    for (std::size_t i = 0; i < header->count && found == header->count; ++i) {
      if (EqualsIgnoringCase(header->fields[i], wanted)) found = i;
    }
    if (found == header->count) return "no column '" + std::string(wanted) + "' in the header line";
    positions.push_back(found);
  }
  return std::nullopt;
}

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

}  // namespace quandor_check
