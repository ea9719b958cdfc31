// POST /v1/accounts:validate: many bank connections, as NDJSON objects
// {"bank_code", "account"} or as the CSV rows of quandor-check validate,
// answered by one NDJSON line each in input order. The rows follow that
// command's rules: a malformed row (a CSV fault, a missing column, a line
// that is no such object) is answered with valid false and "line N: reason"
// and the rest go on.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "args.h"
#include "batch.h"
#include "csv.h"
#include "handlers.h"
#include "quandor/bank_file_pin.h"
#include "stream_io.h"

namespace quandor_serve {
namespace {

constexpr std::size_t kFlushBytes = 64 * 1024;

// The CSV options of quandor-check validate, given as query parameters of the same names.
constexpr quandor_check::OptionSpec kCsvSpecs[] = {{"delimiter", true},
                                                   {"no-header", false},
                                                   {"encoding", true},
                                                   {"blz-column", true},
                                                   {"account-column", true}};
constexpr quandor_check::CsvJob::Column kColumns[] = {{"blz-column", "1"}, {"account-column", "2"}};
constexpr quandor_check::CsvJob kJob{kColumns, {}};

// The request body as a file, for the readers that quandor-check's batches use.
class BodyFile {
 public:
  explicit BodyFile(std::string_view body) : fd_(::memfd_create("batch", MFD_CLOEXEC)) {
    for (std::size_t done = 0; fd_ >= 0 && done < body.size();) {
      const ssize_t n = ::write(fd_, body.data() + done, body.size() - done);
      if (n <= 0) {
        ::close(fd_);
        fd_ = -1;
        break;
      }
      done += static_cast<std::size_t>(n);
    }
    if (fd_ >= 0) ::lseek(fd_, 0, SEEK_SET);
  }
  ~BodyFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  BodyFile(const BodyFile&) = delete;
  BodyFile& operator=(const BodyFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// The state of one batch, from the request's check to the stream's end.
struct Batch {
  explicit Batch(std::string_view body) : file(body) {}
  BodyFile file;
  CheckOptions options{};
  std::optional<quandor_check::CsvReader> csv;  // CSV, else NDJSON lines
  quandor_check::InputEncoding encoding = quandor_check::InputEncoding::kAuto;
  std::vector<std::size_t> positions;  // CSV: the bank code's and the account's column
  std::uint64_t row = 0;
  std::string out;
};

Json MalformedRow(std::uint64_t row, std::uint64_t line, std::string_view problem,
                  std::int32_t rules) {
  return Json{{"row", row},
              {"line", line},
              {"valid", false},
              {"error", nullptr},
              {"error_name", nullptr},
              {"message", "line " + std::to_string(line) + ": " + std::string(problem)},
              {"method", nullptr},
              {"rules", RulesName(rules)},
              {"bank", nullptr}};
}

void AppendRow(Batch& batch, quandor::Banking& banking, std::uint64_t line,
               std::string_view bank_code, std::string_view account) {
  const bool valid = banking.Validate(bank_code, account);
  Json row{{"row", batch.row}, {"line", line}};
  AddAccountFields(row, banking, valid);
  batch.out.append(row.dump(-1, ' ', false, Json::error_handler_t::replace));
}

void AppendMalformed(Batch& batch, std::uint64_t line, std::string_view problem) {
  batch.out.append(MalformedRow(batch.row, line, problem, batch.options.rules)
                       .dump(-1, ' ', false, Json::error_handler_t::replace));
}

// Reads one CSV row, decoded as quandor-check decodes it.
bool NextCsvRow(Batch& batch, quandor_check::CsvRow& row) {
  if (!batch.csv->Next(row)) return false;
  if (!(row.problem.empty() && quandor_check::IsAscii(row.text)) &&
      quandor_check::DecodeFields(std::span(row.fields.data(), row.count), row.owned,
                                  batch.encoding)) {
    row.canonical = false;
  }
  return true;
}

bool Flush(Batch& batch, Sink& sink, bool always) {
  if (batch.out.size() < kFlushBytes && !always) return true;
  const bool ok = batch.out.empty() || sink.Write(batch.out);
  batch.out.clear();
  return ok;
}

void StreamCsv(Batch& batch, quandor::Banking& banking, Sink& sink) {
  quandor_check::CsvRow row;
  while (NextCsvRow(batch, row)) {
    ++batch.row;
    const std::size_t needed = std::max(batch.positions[0], batch.positions[1]);
    if (!row.problem.empty()) {
      AppendMalformed(batch, row.line, row.problem);
    } else if (needed >= row.count) {
      AppendMalformed(batch, row.line, "row has no column " + std::to_string(needed + 1));
    } else {
      AppendRow(batch, banking, row.line, row.field(batch.positions[0]),
                row.field(batch.positions[1]));
    }
    batch.out.push_back('\n');
    if (!Flush(batch, sink, false)) return;
  }
}

void StreamNdjson(Batch& batch, quandor::Banking& banking, Sink& sink) {
  quandor_check::LineReader reader(batch.file.fd());
  std::string_view text;
  for (std::uint64_t line = 1; reader.Next(text); ++line) {
    if (text.find_first_not_of(" \t") == std::string_view::npos) continue;
    ++batch.row;
    const Json object = reader.truncated() ? Json(nullptr) : Json::parse(text, nullptr, false);
    const auto bank_code = object.is_object() ? object.find("bank_code") : object.end();
    const auto account = object.is_object() ? object.find("account") : object.end();
    if (reader.truncated()) {
      AppendMalformed(batch, line, "line too long");
    } else if (!object.is_object() || bank_code == object.end() || !bank_code->is_string() ||
               account == object.end() || !account->is_string()) {
      AppendMalformed(batch, line, "no JSON object with the strings bank_code and account");
    } else {
      AppendRow(batch, banking, line, bank_code->get_ref<const std::string&>(),
                account->get_ref<const std::string&>());
    }
    batch.out.push_back('\n');
    if (!Flush(batch, sink, false)) return;
  }
}

std::uint64_t CountLines(std::string_view body) {
  const auto breaks = static_cast<std::uint64_t>(std::count(body.begin(), body.end(), '\n'));
  return breaks + (!body.empty() && body.back() != '\n' ? 1 : 0);
}

// Reads the CSV options and the header; an error answer when they do not fit.
std::optional<Response> StartCsv(const Call& call, Batch& batch) {
  std::vector<std::string> words;
  for (const auto& spec : kCsvSpecs) {
    const std::string* value = call.target.Param(spec.name);
    if (value == nullptr) continue;
    words.push_back("--" + std::string(spec.name));
    if (spec.takes_value) words.push_back(*value);
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) argv.push_back(word.c_str());
  quandor_check::Args args;
  if (auto error = quandor_check::ParseArgs(argv, kCsvSpecs, args)) {
    return Service::Error(400, *error);
  }
  std::string error;
  const auto delimiter = quandor_check::DelimiterOption(args, error);
  if (!delimiter) return Service::Error(400, error);
  const auto encoding = quandor_check::EncodingOption(args, error);
  if (!encoding) return Service::Error(400, error);
  batch.encoding = *encoding;
  batch.csv.emplace(batch.file.fd(), *delimiter);
  const bool header = !args.Has("no-header");
  quandor_check::CsvRow row;
  const bool header_read = header && NextCsvRow(batch, row);
  if (header && !header_read) {
    batch.positions.assign(2, 0);  // no rows at all
    return std::nullopt;
  }
  if (auto column_error =
          quandor_check::ResolveColumns(args, kJob, header ? &row : nullptr, batch.positions)) {
    return Service::Error(400, *column_error);
  }
  return std::nullopt;
}

}  // namespace

Response ValidateAccounts(const Call& call) {
  const std::string type = MediaType(call.request.content_type);
  const bool csv = type == "text/csv";
  if (!csv && type != "application/x-ndjson" && type != "application/ndjson" &&
      type != "application/jsonl") {
    return Service::Error(415, "send the rows as text/csv or application/x-ndjson");
  }
  const std::uint64_t cap = call.service.settings().limits.batch_rows;
  if (CountLines(call.request.body) > cap + (csv ? 1 : 0)) {
    return Service::Error(413, "a batch takes at most " + std::to_string(cap) + " rows");
  }
  {
    quandor::Banking& banking = ThreadBanking(call.options);
    if (auto problem = quandor_check::BankFileProblem(banking))
      return Service::Error(503, *problem);
  }
  auto batch = std::make_shared<Batch>(call.request.body);
  if (batch->file.fd() < 0) return Service::Error(500, "no memory for the batch");
  batch->options = call.options;
  if (csv) {
    if (auto error = StartCsv(call, *batch)) return *std::move(error);
  }
  Response response;
  response.content_type = "application/x-ndjson";
  response.stream = [batch](Sink& sink) {
    // The whole batch answers from one version of the bank code file.
    const quandor::BankFilePin pin;
    quandor::Banking& banking = ThreadBanking(batch->options);
    if (batch->csv) {
      StreamCsv(*batch, banking, sink);
    } else {
      StreamNdjson(*batch, banking, sink);
    }
    Flush(*batch, sink, true);
  };
  return response;
}

}  // namespace quandor_serve
