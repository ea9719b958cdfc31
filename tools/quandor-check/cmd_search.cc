// quandor-check search: banks by a text in their code, name or city.
#include <cstdio>
#include <deque>
#include <string>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "data_edition.h"
#include "json_fields.h"
#include "quandor/banking.h"
#include "text_encoding.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quandor-check search [--in FIELDS] [--format F] [--data DIR] [TEXT]

Searches the bank code file for TEXT (case ignored in names and cities) and
lists the banks found, sorted by name.

With TEXT, shows one bank a line: code, name, city; exit status 1 when none
is found. Without, reads one search text a line from standard input and
writes a line
  found;error;amount;codes
for each (codes: the bank codes found, in list order, joined by ",").
With --format json, writes one JSON object a line instead, single and batch:
  found, error, amount, message, banks (a list of bank_number, bank_name,
  bank_city)
A TEXT that is not UTF-8 is read as Windows-1252.

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --in FIELDS  where to search: a comma-separated choice of blz, name, city
               (default: the whole line of the bank code file)
  --format F   text (default) or json
  --data DIR   directory of the bank code file blz.txt
  --help       show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption, kFormatOption, {"in", true}};

StatusOr<std::int32_t> SearchOption(std::string_view fields) {
  std::int32_t option = quandor::qdSearchAll;
  while (!fields.empty()) {
    const auto comma = fields.find(',');
    const std::string_view word = fields.substr(0, comma);
    if (word == "blz") {
      option |= quandor::qdSearchBLZ;
    } else if (word == "name") {
      option |= quandor::qdSearchName;
    } else if (word == "city") {
      option |= quandor::qdSearchCity;
    } else if (word != "all") {
      return Status::Usage("--in takes blz, name, city or all, not '" + std::string(word) + "'");
    }
    fields = comma == std::string_view::npos ? std::string_view() : fields.substr(comma + 1);
  }
  return option;
}

// The search text as UTF-8: a text that is not is read as Windows-1252,
// as CSV input is, so that its bytes never match inside a character of the
// bank code file.
class SearchText {
 public:
  std::string_view Decode(std::string_view text) {
    std::string_view fields[] = {text};
    DecodeFields(fields, owned_, InputEncoding::kAuto);
    return fields[0];
  }

 private:
  std::deque<std::string> owned_;
};

void AppendJson(std::string& out, quandor::Banking& banking, bool found, std::int32_t error,
                std::int32_t amount) {
  JsonFields fields;
  fields.Flag("found", found)
      .Number("error", error)
      .Number("amount", amount)
      .Text("message", ErrorText(error));
  auto banks = nlohmann::ordered_json::array();
  if (found) {
    do {
      banks.push_back({{"bank_number", banking.BankNumber()},
                       {"bank_name", banking.BankName()},
                       {"bank_city", banking.BankCity()}});
    } while (banking.NextFoundBank());
  }
  fields.object()["banks"] = std::move(banks);
  fields.AppendTo(out);
}

}  // namespace

int RunSearch(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("search");
  const Invocation& run = *parsed;
  const Args& args = run.args;
  const auto option = SearchOption(args.Value("in").value_or(""));
  if (!option.ok()) return option.status().Report("search");
  if (args.operands().size() > 1) {
    return Status::Usage("expects at most one TEXT (quote a text with blanks)").Report("search");
  }

  // The whole run answers from the files as they are now.
  PinnedRun pinned;
  quandor::Banking& banking = pinned.banking;
  if (const auto problem = BankFileProblem(banking)) return Status::File(*problem).Report("search");
  const bool json = run.format == OutputFormat::kJson;
  SearchText search_text;

  if (args.operands().size() == 1) {
    try {
      const bool found = banking.SearchBankByText(search_text.Decode(args.operands()[0]), *option);
      if (json) {
        std::string line;
        AppendJson(line, banking, found, banking.LastError(), banking.AmountFoundBanks());
        std::printf("%s\n", line.c_str());
        return found ? kExitOk : kExitNegative;
      }
      if (!found) {
        std::fprintf(stderr, "%s\n", ErrorText(banking.LastError()).data());
        return kExitNegative;
      }
      do {
        std::printf("%s  %s, %s\n", Printable(banking.BankNumber()).c_str(),
                    Printable(banking.BankName()).c_str(), Printable(banking.BankCity()).c_str());
      } while (banking.NextFoundBank());
    } catch (const quandor::MalformedRecordError& e) {
      return Status::File(std::string("malformed record in the bank code file: ") + e.what())
          .Report("search");
    }
    return kExitOk;
  }

  std::string codes;
  std::uint64_t line_number = 0;
  BankFileWatch watch(std::nullopt);
  return RunLineBatch(args, LineShape::kSingle, [&](std::string_view line, std::string& out) {
    ++line_number;
    try {
      const bool found = banking.SearchBankByText(search_text.Decode(line), *option);
      const std::int32_t last_error = banking.LastError();
      const std::int32_t amount = banking.AmountFoundBanks();
      if (json) {
        AppendJson(out, banking, found, last_error, amount);
        return watch.Judge(found, last_error);
      }
      codes.clear();
      if (found) {
        do {
          if (!codes.empty()) codes.push_back(',');
          codes += banking.BankNumber();
        } while (banking.NextFoundBank());
      }
      CsvFields(out, ';').Number(found ? 1 : 0).Number(last_error).Number(amount).Text(codes);
      return watch.Judge(found, last_error);
    } catch (const quandor::MalformedRecordError& e) {
      OutputSink::FlushActive();
      std::fprintf(stderr, "quandor-check: line %llu: malformed record in the bank code file: %s\n",
                   static_cast<unsigned long long>(line_number), e.what());
      if (json) {
        AppendJson(out, banking, false, quandor::qdUnknownError, -1);
      } else {
        CsvFields(out, ';').Number(0).Number(quandor::qdUnknownError).Number(-1).Text("");
      }
      return RowOutcome::kNotCheckable;
    }
  });
}

}  // namespace quandor_check
