// quandor-check validate: bank code and account number, singly, as lines or as a CSV file.
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

constexpr std::string_view kHelp = R"(Usage: quandor-check validate [OPTIONS] [BLZ ACCOUNT]

Checks an account number by the check-digit method of its bank.

With BLZ and ACCOUNT, shows the verdict; exit status 0 when valid, 1 when
not, 3 when it cannot be checked (no check method for the bank in the chosen
rules, or no bank code file).
Without, reads lines BLZ;ACCOUNT from standard input (split at the first ";")
and writes a line
  valid;error;method;bank_number;account_number;bank_name;bank_city
for each (valid 1 or 0, error the code of LastError, method UsedTestingMethod:
the number in the bank code file, 100 to 144 for A0 to E4).

CSV mode (chosen by --input, --csv or any option below it) reads a CSV file,
keeps its header line and every row in order, and appends the columns
  valid;error;method;bank_number;account_number;bank_name;bank_city;message
A malformed row (a quote never closed or followed by other text than the
delimiter, a missing column) gets valid 0, an empty error and "line N: reason"
as message; reading goes on with the next line. Input in UTF-8 or
Windows-1252 is decided record by record; the output is UTF-8.

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --strictness N         0 to 3: which characters besides digits the input may hold
  --rules RULES          check methods: original (as first built, the default) or
                         current (the Deutsche Bundesbank's methods of today);
                         default from QUANDOR_RULES or the settings file
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

constexpr OptionSpec kSpecs[] = {kHelpOption,      kDataOption,          kStrictnessOption,
                                 kRulesOption,     {"blz-column", true}, {"account-column", true},
                                 kBatchOptions[0], kBatchOptions[1],     kBatchOptions[2],
                                 kBatchOptions[3], kCsvOptions[0],       kCsvOptions[1],
                                 kCsvOptions[2],   kCsvOptions[3]};

constexpr CsvJob::Column kColumns[] = {{"blz-column", "1"}, {"account-column", "2"}};
constexpr std::string_view kResultNames[] = {"valid",       "error",          "method",
                                             "bank_number", "account_number", "bank_name",
                                             "bank_city",   "message"};
constexpr CsvJob kJob{kColumns, kResultNames};

// valid;error;method;bank_number;account_number;bank_name;bank_city
void AppendVerdict(CsvFields& fields, const quandor::Banking& banking, bool valid) {
  fields.Number(valid ? 1 : 0)
      .Number(banking.LastError())
      .Number(banking.UsedTestingMethod())
      .Text(banking.BankNumber())
      .Text(banking.AccountNumber())
      .Text(banking.BankName())
      .Text(banking.BankCity());
}

int ShowVerdict(quandor::Banking& banking, std::string_view blz, std::string_view account) {
  const bool valid = banking.Validate(blz, account);
  const bool uncheckable = banking.LastError() == quandor::qdTestingMethodUnknown;
  std::printf("Result:  %s (%s)\n",
              valid         ? "valid"
              : uncheckable ? "not checkable"
                            : "invalid",
              banking.LastErrorString().c_str());
  if (!banking.BankName().empty()) {
    std::printf("Bank:    %s %s, %s\n", Printable(banking.BankNumber()).c_str(),
                Printable(banking.BankName()).c_str(), Printable(banking.BankCity()).c_str());
  }
  if (!banking.AccountNumber().empty())
    std::printf("Account: %s\n", Printable(banking.AccountNumber()).c_str());
  if (banking.UsedTestingMethod() >= 0) {
    std::printf("Method:  %s\n", quandor::TestingMethodCode(banking.UsedTestingMethod()).c_str());
  }
  if (valid) return kExitOk;
  return uncheckable ? kExitUncheckable : kExitNegative;
}

}  // namespace

int RunValidate(Words words) {
  Args args;
  std::optional<std::int32_t> strictness;
  if (const auto done = ParseCheckCommandArgs("validate", kHelp, words, kSpecs, args, strictness)) {
    return *done;
  }
  std::optional<std::int32_t> rules;
  if (const auto done = ParseRulesOption("validate", args, rules)) return *done;
  const bool csv = WantsCsv(args, kJob);
  const std::size_t operands = args.operands().size();
  if (operands == 1 || operands > 2)
    return UsageError("validate", "expects BLZ and ACCOUNT, or neither");
  if (operands == 2 && csv)
    return UsageError("validate", "CSV options need the input file, not BLZ ACCOUNT");

  // The whole run answers from the files as they are now.
  const quandor::BankFilePin pin;
  WarnIfStale();
  quandor::Banking banking;
  if (const auto problem = BankFileProblem(banking)) {
    // A single check without the file has no verdict; a batch cannot run.
    return Fail(operands == 2 ? kExitUncheckable : kExitUsage, *problem);
  }
  if (strictness) banking.Strictness(*strictness);
  if (rules) banking.Rules(*rules);

  if (operands == 2) return ShowVerdict(banking, args.operands()[0], args.operands()[1]);
  BankFileWatch watch(std::nullopt);
  if (csv) {
    CsvMessages messages(ErrorText);
    return RunCsvBatch("validate", args, kJob,
                       [&](std::span<const std::string_view> values, CsvFields& fields) {
                         const bool valid = banking.Validate(values[0], values[1]);
                         AppendVerdict(fields, banking, valid);
                         messages.Append(fields, banking.LastError());
                         return watch.Judge(valid, banking.LastError());
                       });
  }
  return RunLineBatch(args, [&](std::string_view line, std::string& out) {
    const auto semicolon = line.find(';');
    const std::string_view blz = line.substr(0, semicolon);
    const std::string_view account =
        semicolon == std::string_view::npos ? std::string_view() : line.substr(semicolon + 1);
    const bool valid = banking.Validate(blz, account);
    CsvFields fields(out, ';');
    AppendVerdict(fields, banking, valid);
    return watch.Judge(valid, banking.LastError());
  });
}

}  // namespace quandor_check
