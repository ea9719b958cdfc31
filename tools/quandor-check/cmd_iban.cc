// quandor-check iban: an IBAN's form and check digits, and a German IBAN's bank connection.
#include <cstdio>
#include <string>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "data_edition.h"
#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"
#include "quandor/iban.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp = R"(Usage: quandor-check iban [OPTIONS] [IBAN]
       quandor-check iban --make [BLZ ACCOUNT]

Checks an IBAN: its form and check digits (ISO 13616, modulo 97) with the
registry length of its country, and for a German IBAN the embedded bank code
and account number by the bank's check-digit method. Blanks and lower case
are accepted.

With IBAN, shows the verdict; exit status 0 when valid, 1 when not. An IBAN
with right check digits whose bank has no check method in the chosen rules
is valid; account_error then says 8.
Without, reads one IBAN a line from standard input and writes a line
  valid;error;iban_ok;blz;account;account_error
for each (error: 0 right, 1 missing, 2 wrong character, 3 unknown country,
4 wrong length, 5 wrong check digits; blz and account: the bank connection
of a German IBAN; account_error: the code of its check, 0 when not checked).

With --make, builds the German IBAN of a bank code and account number
instead (the plain national rule; neither the bank nor the account's check
digit is checked, only the digits): with BLZ and ACCOUNT, shows the IBAN;
exit status 0, or 1 when the input is rejected. Without, reads lines
BLZ;ACCOUNT and writes a line
  iban;error
for each (iban empty when rejected; error the code as validate gives it,
1 when built).

CSV mode (chosen by --input, --csv or any option below it) reads a CSV file,
keeps its header line and every row in order, and appends the columns
  valid;error;iban_ok;blz;account;account_error;message

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --make                 build German IBANs from BLZ and ACCOUNT (see above)
  --strictness N         0 to 3, for the check of the embedded bank connection
  --rules RULES          check methods for it: original (the default) or current
  --data DIR             directory of the bank code file blz.txt
  --output FILE          write to FILE instead of standard output
  --input FILE           read the CSV file FILE ("-": standard input)
  --csv                  CSV mode on standard input
  --delimiter C          field delimiter of the CSV file (default ";"; "tab")
  --iban-column COL      column of the IBAN: header name or position from 1 (default 1)
  --no-header            the first line is a row, not a header
  --encoding NAME        auto (default), utf-8 or windows-1252: the CSV file's encoding
  --progress, --no-progress
                         draw, or never draw, the progress bar on standard error
  --help                 show this help
)";

constexpr OptionSpec kSpecs[] = {
    kHelpOption,     kDataOption,      kStrictnessOption, kRulesOption,     {"iban-column", true},
    {"make", false}, kBatchOptions[0], kBatchOptions[1],  kBatchOptions[2], kBatchOptions[3],
    kCsvOptions[0],  kCsvOptions[1],   kCsvOptions[2],    kCsvOptions[3]};

constexpr CsvJob::Column kColumns[] = {{"iban-column", "1"}};
constexpr std::string_view kResultNames[] = {"valid",   "error",         "iban_ok", "blz",
                                             "account", "account_error", "message"};
constexpr CsvJob kJob{kColumns, kResultNames};

// valid;error;iban_ok;blz;account;account_error
void AppendVerdict(CsvFields& fields, const quandor::IbanResult& result) {
  fields.Number(result.ValidOrUncheckable() ? 1 : 0)
      .Number(result.nIbanError)
      .Number(result.IbanOk() ? 1 : 0)
      .Text(result.sBankNumber)
      .Text(result.sAccountNumber)
      .Number(result.nAccountError);
}

// Whether the message speaks of the IBAN itself, which failed first or has
// no bank connection checked; else it speaks of the bank connection.
bool MessageOfIban(const quandor::IbanResult& result) {
  return !result.IbanOk() || result.nAccountError == quandor::qdNoValidation;
}

std::string_view Message(const quandor::IbanResult& result) {
  return MessageOfIban(result) ? IbanErrorText(result.nIbanError) : ErrorText(result.nAccountError);
}

int ShowVerdict(quandor::Banking& banking, std::string_view iban) {
  const quandor::IbanResult result = quandor::ValidateIban(iban, banking);
  const std::string_view message = Message(result);
  std::printf("Result:  %s (%.*s)\n", result.ValidOrUncheckable() ? "valid" : "invalid",
              static_cast<int>(message.size()), message.data());
  if (!result.sIban.empty())
    std::printf("IBAN:    %s\n", quandor::FormatIban(result.sIban).c_str());
  if (result.IbanOk() && result.nAccountError != quandor::qdNoValidation) {
    if (!banking.BankName().empty()) {
      std::printf("Bank:    %s %s, %s\n", result.sBankNumber.c_str(),
                  Printable(banking.BankName()).c_str(), Printable(banking.BankCity()).c_str());
    }
    std::printf("Account: %s (%s)\n", result.sAccountNumber.c_str(),
                quandor::GetErrorText(result.nAccountError).c_str());
  }
  return result.ValidOrUncheckable() ? kExitOk : kExitNegative;
}

// --make: needs no bank code file, as only the digits are checked.
int MakeIbans(const Args& args) {
  if (args.operands().size() == 2) {
    quandor::ValidateError error = quandor::qdNoError;
    const std::string iban =
        quandor::MakeGermanIban(args.operands()[0], args.operands()[1], &error);
    if (iban.empty()) return Fail(kExitNegative, quandor::GetErrorText(error));
    std::printf("%s\n", iban.c_str());
    return kExitOk;
  }
  return RunLineBatch(args, [](std::string_view line, std::string& out) {
    const auto semicolon = line.find(';');
    const std::string_view blz = line.substr(0, semicolon);
    const std::string_view account =
        semicolon == std::string_view::npos ? std::string_view() : line.substr(semicolon + 1);
    quandor::ValidateError error = quandor::qdNoError;
    const std::string iban = quandor::MakeGermanIban(blz, account, &error);
    CsvFields(out, ';').Text(iban).Number(error);
    return iban.empty() ? RowOutcome::kInvalid : RowOutcome::kValid;
  });
}

}  // namespace

int RunIban(Words words) {
  Args args;
  std::optional<std::int32_t> strictness;
  if (const auto done = ParseCheckCommandArgs("iban", kHelp, words, kSpecs, args, strictness)) {
    return *done;
  }
  std::optional<std::int32_t> rules;
  if (const auto done = ParseRulesOption("iban", args, rules)) return *done;
  const bool csv = WantsCsv(args, kJob);
  const std::size_t operands = args.operands().size();
  if (args.Has("make")) {
    for (const std::string_view option : {"csv", "delimiter", "no-header", "iban-column"}) {
      if (args.Has(option))
        return UsageError("iban", "--make reads lines BLZ;ACCOUNT, not a CSV file");
    }
    if (operands == 1 || operands > 2)
      return UsageError("iban", "--make expects BLZ and ACCOUNT, or neither");
    return MakeIbans(args);
  }
  if (operands > 1) return UsageError("iban", "expects one IBAN (quote an IBAN with blanks)");
  if (operands == 1 && csv)
    return UsageError("iban", "CSV options need the input file, not an IBAN");

  // Without the bank code file, IBANs of other countries are still checked
  // and a German one reports account_error 9. The whole run answers from
  // the files as they are now.
  const quandor::BankFilePin pin;
  WarnIfStale();
  quandor::Banking banking;
  if (strictness) banking.Strictness(*strictness);
  if (rules) banking.Rules(*rules);

  if (operands == 1) return ShowVerdict(banking, args.operands()[0]);
  BankFileWatch watch(BankFileProblem(banking));
  if (csv) {
    CsvMessages iban_messages(IbanErrorText);
    CsvMessages account_messages(ErrorText);
    return RunCsvBatch(
        "iban", args, kJob, [&](std::span<const std::string_view> values, CsvFields& fields) {
          const quandor::IbanResult result = quandor::ValidateIban(values[0], banking);
          AppendVerdict(fields, result);
          if (MessageOfIban(result)) {
            iban_messages.Append(fields, result.nIbanError);
          } else {
            account_messages.Append(fields, result.nAccountError);
          }
          return watch.Judge(result.Valid(), result.nAccountError);
        });
  }
  return RunLineBatch(args, [&](std::string_view line, std::string& out) {
    const quandor::IbanResult result = quandor::ValidateIban(line, banking);
    CsvFields fields(out, ';');
    AppendVerdict(fields, result);
    return watch.Judge(result.Valid(), result.nAccountError);
  });
}

}  // namespace quandor_check
