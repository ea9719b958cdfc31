// quandor-check iban: an IBAN's form and check digits, and a German IBAN's bank connection.
#include <cstdio>
#include <string>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "data_edition.h"
#include "json_fields.h"
#include "quandor/banking.h"
#include "quandor/iban.h"
#include "stream_io.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp = R"(Usage: quandor-check iban [OPTIONS] [IBAN]
       quandor-check iban --make [--force] [BLZ ACCOUNT]

Checks an IBAN: its form and check digits (ISO 13616, modulo 97) with the
length and BBAN structure of its country in the IBAN registry, and for a
German IBAN the embedded bank code and account number by the bank's
check-digit method. Blanks and lower case
are accepted.

With IBAN, shows the verdict, the rules that checked the bank connection,
and a warning when its bank code is being deleted (naming its successor);
exit status 0 when valid, 1 when not. An IBAN with right check digits whose
bank has no check method in the chosen rules is valid; account_error then
says 8.
Without, reads one IBAN a line from standard input and writes a line
  valid;error;iban_ok;blz;account;account_error
for each (error: 0 right, 1 missing, 2 wrong character, 3 unknown country,
4 wrong length, 5 wrong check digits; blz and account: the bank connection
of a German IBAN; account_error: the code of its check, 0 when not checked).
With --format json, writes one JSON object a line instead, single and batch:
  valid, error, iban_ok, blz, account, account_error, message, iban, rules
  (and successor, in single mode, for a bank code being deleted)

With --make, builds the German IBAN of a bank code and account number
instead (the plain national rule), only from a known bank code and an
account that passes its bank's check under the chosen rules; a bank with no
check method gets its IBAN with a note on standard error. A bank code being
deleted is refused, naming its successor. --force builds from any eight and
one to ten digits. With BLZ and ACCOUNT, shows the IBAN; exit status 0, or 1
when refused (the reason on standard error). Without, reads lines
BLZ;ACCOUNT and writes a line
  iban;error
for each (iban empty when refused; error the code as validate gives it, 1
when built, 8 when built for a bank without a check method); a bank code
being deleted is warned about on standard error, with the line, and built.
With --format json: iban, error, message.

CSV mode (chosen by --input, --csv or any option below it) reads a CSV file,
keeps its header line and every row in order, and appends the columns
  valid;error;iban_ok;blz;account;account_error;message
Malformed rows, missing columns, the delimiter and --format json are handled
as by validate.

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --make                 build German IBANs from BLZ and ACCOUNT (see above)
  --force                with --make: build from the digits alone
  --strictness N         0 to 3, for the check of the embedded bank connection
  --rules RULES          check methods for it: current (the default) or original
  --format FORMAT        text (default) or json
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
    kHelpOption,      kDataOption,           kStrictnessOption, kRulesOption,
    kFormatOption,    {"iban-column", true}, {"make", false},   {"force", false},
    kBatchOptions[0], kBatchOptions[1],      kBatchOptions[2],  kBatchOptions[3],
    kCsvOptions[0],   kCsvOptions[1],        kCsvOptions[2],    kCsvOptions[3]};

constexpr CsvJob::Column kColumns[] = {{"iban-column", "1"}};
constexpr std::string_view kResultNames[] = {"valid",   "error",         "iban_ok", "blz",
                                             "account", "account_error", "message"};
constexpr CsvJob kJob{kColumns, kResultNames};

// valid;error;iban_ok;blz;account;account_error
template <typename Fields>
void AppendVerdict(Fields& fields, const quandor::IbanResult& result) {
  fields.Flag("valid", result.ValidOrUncheckable())
      .Number("error", result.nIbanError)
      .Flag("iban_ok", result.IbanOk())
      .Text("blz", result.sBankNumber)
      .Text("account", result.sAccountNumber)
      .Number("account_error", result.nAccountError);
}

// Whether the message speaks of the IBAN itself, which failed first or has
// no bank connection checked; else it speaks of the bank connection.
bool MessageOfIban(const quandor::IbanResult& result) {
  return !result.IbanOk() || result.nAccountError == quandor::qdNoValidation;
}

std::string_view Message(const quandor::IbanResult& result) {
  return MessageOfIban(result) ? IbanErrorText(result.nIbanError) : ErrorText(result.nAccountError);
}

void AppendJson(std::string& out, const quandor::IbanResult& result, std::int32_t rules,
                const std::optional<std::string>& successor) {
  JsonFields fields;
  AppendVerdict(fields, result);
  fields.Text("message", Message(result))
      .Text("iban", result.sIban)
      .Text("rules", RulesName(rules));
  if (successor) fields.Text("successor", *successor);
  fields.AppendTo(out);
}

int ShowVerdict(quandor::Banking& banking, std::string_view iban, OutputFormat format) {
  const quandor::IbanResult result = quandor::ValidateIban(iban, banking);
  const bool checked = result.IbanOk() && result.nAccountError != quandor::qdNoValidation;
  const auto successor = checked ? SuccessorOfDeleted(banking) : std::nullopt;
  if (successor) WarnDeleted(result.sBankNumber, *successor);
  if (format == OutputFormat::kJson) {
    std::string line;
    AppendJson(line, result, banking.Rules(), successor);
    std::printf("%s\n", line.c_str());
    return result.ValidOrUncheckable() ? kExitOk : kExitNegative;
  }
  const std::string_view message = Message(result);
  std::printf("Result:  %s (%.*s)\n", result.ValidOrUncheckable() ? "valid" : "invalid",
              static_cast<int>(message.size()), message.data());
  if (!result.sIban.empty())
    std::printf("IBAN:    %s\n", quandor::FormatIban(result.sIban).c_str());
  if (checked) {
    if (!banking.BankName().empty()) {
      std::printf("Bank:    %s %s, %s\n", result.sBankNumber.c_str(),
                  Printable(banking.BankName()).c_str(), Printable(banking.BankCity()).c_str());
    }
    std::printf("Account: %s (%s)\n", result.sAccountNumber.c_str(),
                ErrorText(result.nAccountError).data());
    std::printf("Rules:   %.*s\n", static_cast<int>(RulesName(banking.Rules()).size()),
                RulesName(banking.Rules()).data());
  }
  return result.ValidOrUncheckable() ? kExitOk : kExitNegative;
}

// One IBAN of --make: the IBAN, or "" when refused; error as MakeGermanIban
// gives it. successor: set when the bank code is being deleted.
struct MadeIban {
  std::string iban;
  quandor::ValidateError error = quandor::qdNoError;
  std::optional<std::string> successor;
};

MadeIban MakeIban(quandor::Banking& banking, std::string_view blz, std::string_view account,
                  bool force) {
  MadeIban made;
  made.iban = quandor::MakeGermanIban(blz, account, banking, &made.error, force);
  if (!made.iban.empty() && !force) made.successor = SuccessorOfDeleted(banking);
  return made;
}

void AppendMadeJson(std::string& out, const MadeIban& made) {
  JsonFields fields;
  fields.Text("iban", made.iban).Number("error", made.error).Text("message", ErrorText(made.error));
  fields.AppendTo(out);
}

int MakeIbans(const Invocation& run) {
  const Args& args = run.args;
  const bool force = args.Has("force");
  // The whole run answers from the files as they are now. Forced, only the
  // digits are checked, which needs no bank code file.
  PinnedRun pinned;
  quandor::Banking& banking = pinned.banking;
  if (!force) {
    if (const auto problem = BankFileProblem(banking)) return Status::File(*problem).Report("iban");
  }
  Configure(banking, run);
  if (args.operands().size() == 2) {
    const std::string_view blz = args.operands()[0];
    const MadeIban made = MakeIban(banking, blz, args.operands()[1], force);
    if (made.iban.empty()) {
      return Status::Failure(kExitNegative, "no IBAN built: " + std::string(ErrorText(made.error)) +
                                                (made.error == quandor::qdBankNumberUnknown ||
                                                         made.error == quandor::qdWrongCheckDigit
                                                     ? " (--force builds it all the same)"
                                                     : ""))
          .Report("iban");
    }
    if (made.successor) {
      return Status::Failure(
                 kExitNegative,
                 "no IBAN built: bank code " + std::string(blz) + " is being deleted" +
                     (made.successor->empty() ? "" : "; its successor is " + *made.successor) +
                     " (--force builds it all the same)")
          .Report("iban");
    }
    if (made.error == quandor::qdTestingMethodUnknown) {
      std::fprintf(stderr,
                   "quandor-check: note: the bank has no check method in the %.*s rules; the "
                   "account number is not checked\n",
                   static_cast<int>(RulesName(run.rules).size()), RulesName(run.rules).data());
    }
    if (run.format == OutputFormat::kJson) {
      std::string line;
      AppendMadeJson(line, made);
      std::printf("%s\n", line.c_str());
    } else {
      std::printf("%s\n", made.iban.c_str());
    }
    return kExitOk;
  }
  std::uint64_t line_number = 0;
  return RunLineBatch(args, LineShape::kPair, [&](std::string_view line, std::string& out) {
    ++line_number;
    const auto [blz, account] = SplitPair(line);
    const MadeIban made = MakeIban(banking, blz, account, force);
    if (made.successor) {
      OutputSink::FlushActive();
      WarnDeleted(banking.BankNumber(), *made.successor, line_number);
    }
    if (run.format == OutputFormat::kJson) {
      AppendMadeJson(out, made);
    } else {
      CsvFields(out, ';').Text(made.iban).Number(made.error);
    }
    return made.iban.empty() ? RowOutcome::kInvalid : RowOutcome::kValid;
  });
}

}  // namespace

int RunIban(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("iban");
  const Invocation& run = *parsed;
  const Args& args = run.args;
  const bool csv = WantsCsv(args, kJob);
  const std::size_t operands = args.operands().size();
  if (args.Has("make")) {
    for (const std::string_view option : {"csv", "delimiter", "no-header", "iban-column"}) {
      if (args.Has(option))
        return Status::Usage("--make reads lines BLZ;ACCOUNT, not a CSV file").Report("iban");
    }
    if (operands == 1 || operands > 2)
      return Status::Usage("--make expects BLZ and ACCOUNT, or neither").Report("iban");
    return MakeIbans(run);
  }
  if (args.Has("force")) return Status::Usage("--force goes with --make").Report("iban");
  if (operands > 1)
    return Status::Usage("expects one IBAN (quote an IBAN with blanks)").Report("iban");
  if (operands == 1 && csv)
    return Status::Usage("CSV options need the input file, not an IBAN").Report("iban");

  // Without the bank code file, IBANs of other countries are still checked
  // and a German one reports account_error 9. The whole run answers from
  // the files as they are now.
  PinnedRun pinned;
  quandor::Banking& banking = pinned.banking;
  Configure(banking, run);

  if (operands == 1) return ShowVerdict(banking, args.operands()[0], run.format);
  BankFileWatch watch(BankFileProblem(banking));
  if (csv) {
    CsvMessages iban_messages(IbanErrorText);
    CsvMessages account_messages(ErrorText);
    return RunCsvBatch("iban", args, kJob, run.format == OutputFormat::kJson,
                       [&](std::span<const std::string_view> values, RowFields& fields) {
                         const quandor::IbanResult result =
                             quandor::ValidateIban(values[0], banking);
                         AppendVerdict(fields, result);
                         if (MessageOfIban(result)) {
                           fields.Message(iban_messages, result.nIbanError);
                         } else {
                           fields.Message(account_messages, result.nAccountError);
                         }
                         return watch.Judge(result.ValidOrUncheckable(), result.nAccountError);
                       });
  }
  return RunLineBatch(args, LineShape::kSingle, [&](std::string_view line, std::string& out) {
    const quandor::IbanResult result = quandor::ValidateIban(line, banking);
    if (run.format == OutputFormat::kJson) {
      AppendJson(out, result, banking.Rules(), std::nullopt);
    } else {
      CsvFields fields(out, ';');
      AppendVerdict(fields, result);
    }
    return watch.Judge(result.ValidOrUncheckable(), result.nAccountError);
  });
}

}  // namespace quandor_check
