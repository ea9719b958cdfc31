// quandor-check search: banks by a text in their code, name or city.
#include <cstdio>
#include <string>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "data_edition.h"
#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp = R"(Usage: quandor-check search [--in FIELDS] [--data DIR] [TEXT]

Searches the bank code file for TEXT (case ignored in names and cities) and
lists the banks found, sorted by name.

With TEXT, shows one bank a line: code, name, city; exit status 1 when none
is found. Without, reads one search text a line from standard input and
writes a line
  found;error;amount;codes
for each (codes: the bank codes found, in list order, joined by ",").

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --in FIELDS  where to search: a comma-separated choice of blz, name, city
               (default: the whole line of the bank code file)
  --data DIR   directory of the bank code file blz.txt
  --help       show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption, {"in", true}};

std::optional<std::int32_t> SearchOption(std::string_view fields, std::string& error) {
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
      error = "--in takes blz, name, city or all, not '" + std::string(word) + "'";
      return std::nullopt;
    }
    fields = comma == std::string_view::npos ? std::string_view() : fields.substr(comma + 1);
  }
  return option;
}

}  // namespace

int RunSearch(Words words) {
  Args args;
  if (const auto done = ParseCommandArgs("search", kHelp, words, kSpecs, args)) return *done;
  std::string error;
  const auto option = SearchOption(args.Value("in").value_or(""), error);
  if (!option) return UsageError("search", error);
  if (args.operands().size() > 1) {
    return UsageError("search", "expects at most one TEXT (quote a text with blanks)");
  }

  // The whole run answers from the files as they are now.
  const quandor::BankFilePin pin;
  WarnIfStale();
  quandor::Banking banking;
  if (const auto problem = BankFileProblem(banking)) return Fail(kExitUsage, *problem);

  if (args.operands().size() == 1) {
    try {
      if (!banking.SearchBankByText(args.operands()[0], *option)) {
        std::fprintf(stderr, "%s\n", banking.LastErrorString().c_str());
        return kExitNegative;
      }
      do {
        std::printf("%s  %s, %s\n", Printable(banking.BankNumber()).c_str(),
                    Printable(banking.BankName()).c_str(), Printable(banking.BankCity()).c_str());
      } while (banking.NextFoundBank());
    } catch (const quandor::MalformedRecordError& e) {
      return Fail(kExitNegative,
                  std::string("malformed record in the bank code file: ") + e.what());
    }
    return kExitOk;
  }

  std::string codes;
  std::uint64_t line_number = 0;
  BankFileWatch watch(std::nullopt);
  return RunLineBatch(args, [&](std::string_view line, std::string& out) {
    ++line_number;
    try {
      const bool found = banking.SearchBankByText(line, *option);
      const std::int32_t last_error = banking.LastError();
      const std::int32_t amount = banking.AmountFoundBanks();
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
      CsvFields(out, ';').Number(0).Number(quandor::qdUnknownError).Number(-1).Text("");
      return RowOutcome::kInvalid;
    }
  });
}

}  // namespace quandor_check
