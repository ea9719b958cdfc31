// quandor-check bank: a bank by its bank code.
#include <charconv>
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

constexpr std::string_view kHelp = R"(Usage: quandor-check bank [--strictness N] [--data DIR] [BLZ]

Looks a bank up by its bank code in the bank code file.

With BLZ, shows the bank; exit status 1 when the code is invalid or unknown.
Without, reads one bank code a line from standard input and writes a line
  found;error;bank_number;bank_name;bank_city;bank_complete
for each (found 1 or 0, error the code of LastError).

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --strictness N  0 to 3: which characters besides digits a bank code may hold
                  (default 1: blanks and common separators)
  --data DIR      directory of the bank code file blz.txt
  --help          show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption, kStrictnessOption};

// Fields 5 to 9 of the bank's record: method, postcode, BIC, and whether the
// bank code is being deleted (with its successor). Older files lack the last
// ones; an empty field is not shown.
void ShowFurtherFields(quandor::Banking& banking) {
  const auto fields = banking.SearchBankInfo(banking.BankNumber());
  if (!fields) return;
  const auto field = [&](std::size_t index) -> std::string {
    return index < fields->size() ? (*fields)[index] : std::string();
  };
  const auto show = [](const char* label, const std::string& value) {
    if (!value.empty()) std::printf("%-12s%s\n", label, Printable(value).c_str());
  };
  show("Postcode:", field(5));
  show("BIC:", field(6));
  if (!field(4).empty()) {
    int method = -1;
    std::from_chars(field(4).data(), field(4).data() + field(4).size(), method);
    show("Method:", quandor::TestingMethodCode(method));
  }
  if (field(7) == "1") {
    show("Deleted:", field(8).empty()
                         ? "yes, the bank code is being deleted"
                         : "yes, the bank code is being deleted; successor " + field(8));
  }
}

}  // namespace

int RunBank(Words words) {
  Args args;
  std::optional<std::int32_t> strictness;
  if (const auto done = ParseCheckCommandArgs("bank", kHelp, words, kSpecs, args, strictness)) {
    return *done;
  }
  if (args.operands().size() > 1) return UsageError("bank", "expects at most one BLZ");

  // The whole run answers from the files as they are now.
  const quandor::BankFilePin pin;
  WarnIfStale();
  quandor::Banking banking;
  if (const auto problem = BankFileProblem(banking)) return Fail(kExitUsage, *problem);
  if (strictness) banking.Strictness(*strictness);

  if (args.operands().size() == 1) {
    const std::string_view blz = args.operands()[0];
    if (!banking.searchBank(blz)) {
      std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(blz.size()), blz.data(),
                   banking.LastErrorString().c_str());
      return kExitNegative;
    }
    std::printf("Bank code:  %s\nName:       %s\nCity:       %s\nShort name: %s\n",
                Printable(banking.BankNumber()).c_str(), Printable(banking.BankName()).c_str(),
                Printable(banking.BankCity()).c_str(), Printable(banking.BankComplete()).c_str());
    ShowFurtherFields(banking);
    return kExitOk;
  }
  BankFileWatch watch(std::nullopt);
  return RunLineBatch(args, [&](std::string_view line, std::string& out) {
    const bool found = banking.searchBank(line);
    CsvFields(out, ';')
        .Number(found ? 1 : 0)
        .Number(banking.LastError())
        .Text(banking.BankNumber())
        .Text(banking.BankName())
        .Text(banking.BankCity())
        .Text(banking.BankComplete());
    return watch.Judge(found, banking.LastError());
  });
}

}  // namespace quandor_check
