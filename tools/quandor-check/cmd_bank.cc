// quandor-check bank: a bank by its bank code.
#include <cstdio>
#include <string>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "quandor/banking.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp = R"(Usage: quandor-check bank [--strictness N] [--data DIR] [BLZ]

Looks a bank up by its bank code in the bank code file.

With BLZ, shows the bank; exit status 1 when the code is invalid or unknown.
Without, reads one bank code a line from standard input and writes a line
  found;error;bank_number;bank_name;bank_city;bank_complete
for each (found 1 or 0, error the code of LastError).

Options:
  --strictness N  0 to 3: which characters besides digits a bank code may hold
                  (default 1: blanks and common separators)
  --data DIR      directory of the bank code file blz.txt
  --help          show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption, kStrictnessOption};

}  // namespace

int RunBank(Words words) {
  Args args;
  std::optional<std::int32_t> strictness;
  if (const auto done = ParseCheckCommandArgs("bank", kHelp, words, kSpecs, args, strictness)) {
    return *done;
  }
  if (args.operands().size() > 1) return UsageError("bank", "expects at most one BLZ");

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
    return kExitOk;
  }
  BankFileWatch watch;
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
