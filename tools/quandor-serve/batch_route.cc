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
#include <unordered_map>
#include <utility>
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
constexpr std::size_t kMaxVerdicts = 100'000;

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
  quandor_check::CsvRow first_row;     // CSV: the header, or the first row
  bool first_row_pending = false;      // whether first_row is still to be checked
  std::uint64_t row = 0;
  std::string out;
  std::unordered_map<std::string, std::string> verdicts;  // see AppendRow
  std::string key;
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
  // A row's verdict depends on nothing but its bank, error and method: its
  // JSON is made once per batch and copied, which makes a batch several
  // times faster than building and dumping an object per row.
  std::string& key = batch.key;
  key.assign(banking.BankNumber());
  key.push_back('\0');
  quandor_check::AppendNumber(key, banking.LastError());
  key.push_back('\0');
  quandor_check::AppendNumber(key, banking.UsedTestingMethod());
  auto verdict = batch.verdicts.find(key);
  if (verdict == batch.verdicts.end()) {
    if (batch.verdicts.size() >= kMaxVerdicts) batch.verdicts.clear();
    Json fields = Json::object();
    AddAccountFields(fields, banking, valid);
    std::string text = fields.dump(-1, ' ', false, Json::error_handler_t::replace);
    text.erase(0, 1);  // the "{", so that the row's own fields can go first
    verdict = batch.verdicts.emplace(key, std::move(text)).first;
  }
  batch.out.append("{\"row\":");
  quandor_check::AppendNumber(batch.out, static_cast<std::int64_t>(batch.row));
  batch.out.append(",\"line\":");
  quandor_check::AppendNumber(batch.out, static_cast<std::int64_t>(line));
  batch.out.push_back(',');
  batch.out.append(verdict->second);
}

void AppendMalformed(Batch& batch, std::uint64_t line, std::string_view problem) {
  batch.out.append(MalformedRow(batch.row, line, problem, batch.options.rules)
                       .dump(-1, ' ', false, Json::error_handler_t::replace));
}

// Reads one CSV row, decoded as quandor-check decodes it.
bool NextCsvRow(Batch& batch, quandor_check::CsvRow& row) {
  return quandor_check::NextDecodedRow(*batch.csv, row, batch.encoding);
}

bool Flush(Batch& batch, Sink& sink, bool always) {
  if (batch.out.size() < kFlushBytes && !always) return true;
  const bool ok = batch.out.empty() || sink.Write(batch.out);
  batch.out.clear();
  return ok;
}

void StreamCsv(Batch& batch, quandor::Banking& banking, Sink& sink) {
  quandor_check::CsvRow& row = batch.first_row;
  bool pending = std::exchange(batch.first_row_pending, false);
  while (std::exchange(pending, false) || NextCsvRow(batch, row)) {
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

// Takes "bank_code" and "account" from one NDJSON line without building the
// object: a SAX pass instead of a parsed object per line halves a batch's time.
class ConnectionReader : public nlohmann::json_sax<Json> {
 public:
  // False when the line is no JSON object holding both as strings.
  bool Read(std::string_view line) {
    depth_ = 0;
    found_ = 0;
    object_ = false;
    return Json::sax_parse(line, this, Json::input_format_t::json, true, false) && object_ &&
           found_ == 3;
  }
  const std::string& bank_code() const { return bank_code_; }
  const std::string& account() const { return account_; }

  bool null() override { return Value(); }
  bool boolean(bool) override { return Value(); }
  bool number_integer(std::int64_t) override { return Value(); }
  bool number_unsigned(std::uint64_t) override { return Value(); }
  bool number_float(double, const std::string&) override { return Value(); }
  bool binary(Json::binary_t&) override { return Value(); }
  bool string(std::string& value) override {
    if (depth_ == 1 && field_ != nullptr) {
      field_->swap(value);
      found_ |= field_ == &bank_code_ ? 1 : 2;
    }
    field_ = nullptr;
    return true;
  }
  bool start_object(std::size_t) override {
    if (depth_ == 0) object_ = true;
    ++depth_;
    field_ = nullptr;
    return true;
  }
  bool end_object() override { return --depth_, true; }
  bool start_array(std::size_t) override {
    ++depth_;
    field_ = nullptr;
    return true;
  }
  bool end_array() override { return --depth_, true; }
  bool key(std::string& name) override {
    if (depth_ == 1)
      field_ = name == "bank_code" ? &bank_code_ : name == "account" ? &account_ : nullptr;
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  // A value of another type for one of the two fields leaves it unset.
  bool Value() {
    if (depth_ == 1 && field_ != nullptr) found_ &= field_ == &bank_code_ ? ~1 : ~2;
    field_ = nullptr;
    return true;
  }
  int depth_ = 0;
  int found_ = 0;  // bit 1: bank_code, bit 2: account
  bool object_ = false;
  std::string* field_ = nullptr;
  std::string bank_code_;
  std::string account_;
};

void StreamNdjson(Batch& batch, quandor::Banking& banking, Sink& sink) {
  quandor_check::LineReader reader(batch.file.fd());
  ConnectionReader connection;
  std::string_view text;
  for (std::uint64_t line = 1; reader.Next(text); ++line) {
    if (text.find_first_not_of(" \t") == std::string_view::npos) continue;
    ++batch.row;
    if (reader.truncated()) {
      AppendMalformed(batch, line, "line too long");
    } else if (!connection.Read(text)) {
      AppendMalformed(batch, line, "no JSON object with the strings bank_code and account");
    } else {
      AppendRow(batch, banking, line, connection.bank_code(), connection.account());
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
  if (const auto status = quandor_check::ParseArgs(argv, kCsvSpecs, args); !status.ok()) {
    return Service::Error(400, status.message());
  }
  const auto delimiter = quandor_check::DelimiterOption(args);
  if (!delimiter.ok()) return Service::Error(400, delimiter.status().message());
  const auto encoding = quandor_check::EncodingOption(args);
  if (!encoding.ok()) return Service::Error(400, encoding.status().message());
  batch.encoding = *encoding;
  batch.csv.emplace(batch.file.fd(), delimiter->value_or(';'));
  // The columns must be in the header, or without one in the first row,
  // which is then checked first.
  const bool header = !args.Has("no-header");
  quandor_check::CsvRow& row = batch.first_row;
  if (!NextCsvRow(batch, row)) {
    batch.positions.assign(2, 0);  // no rows at all
    return std::nullopt;
  }
  auto positions =
      quandor_check::ResolveColumns(args, kJob, std::span(row.fields.data(), row.count), header);
  if (!positions.ok()) return Service::Error(400, positions.status().message());
  batch.positions = std::move(*positions);
  batch.first_row_pending = !header;
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
