// quandor-check validate: bank code and account number, singly, as lines or as a CSV file.
#include <cstdio>
#include <string>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "data_edition.h"
#include "json_fields.h"
#include "quandor/banking.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp = R"(Usage: quandor-check validate [OPTIONS] [BLZ ACCOUNT]

Checks an account number by the check-digit method of its bank.

With BLZ and ACCOUNT, shows the verdict, the rules that gave it, and a
warning when the bank code is being deleted (naming its successor); exit
status 0 when valid, 1 when not, 3 when it cannot be checked (no check
method for the bank in the chosen rules).
Without, reads lines BLZ;ACCOUNT from standard input (split at the first ";")
and writes a line
  valid;error;method;bank_number;account_number;bank_name;bank_city
for each (valid 1 or 0, error the code of LastError, method UsedTestingMethod:
the number in the bank code file, 100 to 144 for A0 to E4). A row whose bank
has no check method counts as not checkable.
With --format json, writes one JSON object a line instead, single and batch:
  valid, error, method, bank_number, account_number, bank_name, bank_city,
  message, rules (and successor, in single mode, for a bank code being deleted)

CSV mode (chosen by --input, --csv or any option below it) reads a CSV file,
keeps its header line and every row in order, and appends the columns
  valid;error;method;bank_number;account_number;bank_name;bank_city;message
A malformed row (a quote never closed or followed by other text than the
delimiter, a missing column) keeps the header's column count and gets valid
0, an empty error and "line N: reason" as message; reading goes on with the
next line. A column that the header (or, with --no-header, the first row)
lacks is a usage error before any row is read. Without --delimiter, a file
whose columns ";" does not find is read with the one of ",", tab or "|" that
finds them, and standard error says so. With --format json, each row is
one JSON object: line (where the row starts) and the result columns. Input in UTF-8 or
Windows-1252 is decided record by record; the output is UTF-8.

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --strictness N         0 to 3: which characters besides digits the input may hold
  --rules RULES          check methods: current (the Deutsche Bundesbank's methods
                         of today, the default) or original (as first built);
                         default from QUANDOR_RULES or the settings file, else current
  --format FORMAT        text (default) or json
  --data DIR             directory of the bank code file blz.txt
  --output FILE          write to FILE instead of standard output
  --input FILE           read the CSV file FILE ("-": standard input)
  --csv                  CSV mode on standard input
  --delimiter C          field delimiter of the CSV file (default ";"; "tab")
  --blz-column COL       column of the bank code: header name or position from 1
                         (default 1)
  --account-column COL   column of the account number (default 2)
  --no-header            the first line is a row, not a header
  --encoding NAME        auto (default), utf-8 or windows-1252: the CSV file's encoding
  --progress, --no-progress
                         draw, or never draw, the progress bar on standard error
                         (default: when writing a file from a large input to a terminal)
  --help                 show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption,
                                 kDataOption,
                                 kStrictnessOption,
                                 kRulesOption,
                                 kFormatOption,
                                 {"blz-column", true},
                                 {"account-column", true},
                                 kBatchOptions[0],
                                 kBatchOptions[1],
                                 kBatchOptions[2],
                                 kBatchOptions[3],
                                 kCsvOptions[0],
                                 kCsvOptions[1],
                                 kCsvOptions[2],
                                 kCsvOptions[3]};

constexpr CsvJob::Column kColumns[] = {{"blz-column", "1"}, {"account-column", "2"}};
constexpr std::string_view kResultNames[] = {"valid",       "error",          "method",
                                             "bank_number", "account_number", "bank_name",
                                             "bank_city",   "message"};
constexpr CsvJob kJob{kColumns, kResultNames};

// valid;error;method;bank_number;account_number;bank_name;bank_city
template <typename Fields>
void AppendVerdict(Fields& fields, const quandor::Banking& banking, bool valid) {
  fields.Flag("valid", valid)
      .Number("error", banking.LastError())
      .Number("method", banking.UsedTestingMethod())
      .Text("bank_number", banking.BankNumber())
      .Text("account_number", banking.AccountNumber())
      .Text("bank_name", banking.BankName())
      .Text("bank_city", banking.BankCity());
}

void AppendJson(std::string& out, const quandor::Banking& banking, bool valid,
                const std::optional<std::string>& successor) {
  JsonFields fields;
  AppendVerdict(fields, banking, valid);
  fields.Text("message", ErrorText(banking.LastError())).Text("rules", RulesName(banking.Rules()));
  if (successor) fields.Text("successor", *successor);
  fields.AppendTo(out);
}

int ShowVerdict(quandor::Banking& banking, std::string_view blz, std::string_view account,
                OutputFormat format) {
  const bool valid = banking.Validate(blz, account);
  const bool uncheckable = banking.LastError() == quandor::qdTestingMethodUnknown;
  const auto successor = SuccessorOfDeleted(banking);
  if (successor) WarnDeleted(banking.BankNumber(), *successor);
  if (format == OutputFormat::kJson) {
    std::string line;
    AppendJson(line, banking, valid, successor);
    std::printf("%s\n", line.c_str());
  } else {
    std::printf("Result:  %s (%s)\n",
                valid         ? "valid"
                : uncheckable ? "not checkable"
                              : "invalid",
                ErrorText(banking.LastError()).data());
    if (!banking.BankName().empty()) {
      std::printf("Bank:    %s %s, %s\n", Printable(banking.BankNumber()).c_str(),
                  Printable(banking.BankName()).c_str(), Printable(banking.BankCity()).c_str());
    }
    if (!banking.AccountNumber().empty())
      std::printf("Account: %s\n", Printable(banking.AccountNumber()).c_str());
    if (banking.UsedTestingMethod() >= 0) {
      std::printf("Method:  %s\n", quandor::TestingMethodCode(banking.UsedTestingMethod()).c_str());
    }
    std::printf("Rules:   %.*s\n", static_cast<int>(RulesName(banking.Rules()).size()),
                RulesName(banking.Rules()).data());
  }
  if (valid) return kExitOk;
  return uncheckable ? kExitUnchecked : kExitNegative;
}

}  // namespace

int RunValidate(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("validate");
  const Invocation& run = *parsed;
  const Args& args = run.args;
  const bool csv = WantsCsv(args, kJob);
  const std::size_t operands = args.operands().size();
  if (operands == 1 || operands > 2)
    return Status::Usage("expects BLZ and ACCOUNT, or neither").Report("validate");
  if (operands == 2 && csv)
    return Status::Usage("CSV options need the input file, not BLZ ACCOUNT").Report("validate");

  // The whole run answers from the files as they are now.
  PinnedRun pinned;
  quandor::Banking& banking = pinned.banking;
  if (const auto problem = BankFileProblem(banking))
    return Status::File(*problem).Report("validate");
  Configure(banking, run);

  if (operands == 2)
    return ShowVerdict(banking, args.operands()[0], args.operands()[1], run.format);
  BankFileWatch watch(std::nullopt);
  if (csv) {
    CsvMessages messages(ErrorText);
    return RunCsvBatch("validate", args, kJob, run.format == OutputFormat::kJson,
                       [&](std::span<const std::string_view> values, RowFields& fields) {
                         const bool valid = banking.Validate(values[0], values[1]);
                         AppendVerdict(fields, banking, valid);
                         fields.Message(messages, banking.LastError());
                         return watch.Judge(valid, banking.LastError());
                       });
  }
  return RunLineBatch(args, LineShape::kPair, [&](std::string_view line, std::string& out) {
    const auto [blz, account] = SplitPair(line);
    const bool valid = banking.Validate(blz, account);
    if (run.format == OutputFormat::kJson) {
      AppendJson(out, banking, valid, std::nullopt);
    } else {
      CsvFields fields(out, ';');
      AppendVerdict(fields, banking, valid);
    }
    return watch.Judge(valid, banking.LastError());
  });
}

}  // namespace quandor_check
