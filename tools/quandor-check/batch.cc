#include "batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "progress.h"
#include "stream_io.h"

namespace quandor_check {

BatchFiles::~BatchFiles() {
  if (in_ != 0) ::close(in_);
  if (out_ != 1) ::close(out_);
}

Status BatchFiles::OpenInput(const Args& args) {
  if (const auto input = args.Value("input"); input && *input != "-") {
    in_ = ::open(std::string(*input).c_str(), O_RDONLY | O_CLOEXEC);
    if (in_ < 0) {
      in_ = 0;
      return Status::File("cannot read " + std::string(*input) + ": " + std::strerror(errno));
    }
  }
  struct stat in_stat {};
  if (::fstat(in_, &in_stat) == 0) {
    input_known_ = true;
    input_device_ = static_cast<std::uint64_t>(in_stat.st_dev);
    input_inode_ = static_cast<std::uint64_t>(in_stat.st_ino);
    if (S_ISREG(in_stat.st_mode)) input_size_ = static_cast<std::uint64_t>(in_stat.st_size);
  }
  return Status();
}

Status BatchFiles::OpenOutput(const Args& args) {
  const auto output = args.Value("output");
  if (!output || *output == "-") return Status();
  const std::string name(*output);
  struct stat out_stat {};
  // Truncating the output first would destroy an input of the same name.
  if (input_known_ && ::stat(name.c_str(), &out_stat) == 0 &&
      static_cast<std::uint64_t>(out_stat.st_dev) == input_device_ &&
      static_cast<std::uint64_t>(out_stat.st_ino) == input_inode_) {
    return Status::File("the output " + name + " is the input file");
  }
  out_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out_ < 0) {
    out_ = 1;
    return Status::File("cannot write " + name + ": " + std::strerror(errno));
  }
  output_to_file_ = true;
  return Status();
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
  if (read_failed) {
    return Status::File(std::string("cannot read input: ") + std::strerror(read_error)).Report("");
  }
  if (!write_ok) {
    return Status::File(std::string("cannot write output: ") + std::strerror(write_error))
        .Report("");
  }
  const std::uint64_t unchecked =
      tally.count(RowOutcome::kNotCheckable) + tally.count(RowOutcome::kMalformed);
  if (unchecked > 0) {
    return Status::Failure(kExitUnchecked, std::to_string(unchecked) + " of " +
                                               std::to_string(tally.read()) +
                                               " rows could not be checked")
        .Report("");
  }
  return kExitOk;
}

std::pair<std::string_view, std::string_view> SplitPair(std::string_view line) {
  const auto semicolon = line.find(';');
  if (semicolon == std::string_view::npos) return {line, {}};
  return {line.substr(0, semicolon), line.substr(semicolon + 1)};
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A line such as "37050198,123456782": two digit groups joined by a comma or
// a tab where the plain batch wants ";".
bool LooksOtherwiseDelimited(std::string_view line) {
  if (line.find(';') != std::string_view::npos) return false;
  for (std::size_t i = 1; i + 1 < line.size(); ++i) {
    if ((line[i] == ',' || line[i] == '\t') && IsDigit(line[i - 1]) && IsDigit(line[i + 1])) {
      return true;
    }
  }
  return false;
}

}  // namespace

int RunLineBatch(const Args& args, LineShape shape, const LineCheck& check) {
  BatchFiles files;
  if (Status status = files.Open(args); !status.ok()) return status.Report("");
  AnnounceTerminalInput(files.in(), "one request a line");
  LineReader reader(files.in());
  OutputSink sink(files.out());
  ProgressBar bar(2, files.input_size(), files.ShowProgress(args));
  BatchTally tally;
  bool hinted = false;
  std::string_view line;
  while (reader.Next(line)) {
    if (shape == LineShape::kPair && !hinted && LooksOtherwiseDelimited(line)) {
      hinted = true;
      OutputSink::FlushActive();
      std::fprintf(stderr,
                   "quandor-check: line %llu: hint: the fields of a line are separated by "
                   "\";\", not by a comma or a tab\n",
                   static_cast<unsigned long long>(tally.read() + 1));
    }
    const RowOutcome outcome = check(line, sink.buffer());
    tally.Add(reader.truncated() ? RowOutcome::kMalformed : outcome);
    sink.buffer().push_back('\n');
    sink.MaybeFlush();
    bar.Update(tally.read(), reader.consumed());
  }
  sink.Flush();
  bar.Finish(tally.read(), reader.consumed());
  return FinishBatch(tally, reader.failed(), reader.error(), sink.ok(), sink.error());
}

bool WantsCsv(const Args& args, const CsvJob& job) {
  for (const std::string_view option : {"csv", "input", "delimiter", "no-header", "encoding"}) {
    if (args.Has(option)) return true;
  }
  return std::any_of(job.columns.begin(), job.columns.end(),
                     [&](const CsvJob::Column& column) { return args.Has(column.option); });
}

}  // namespace quandor_check
