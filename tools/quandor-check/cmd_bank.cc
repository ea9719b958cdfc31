// quandor-check bank: a bank by its bank code.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "data_edition.h"
#include "json_fields.h"
#include "quandor/banking.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quandor-check bank [--strictness N] [--format F] [--data DIR] [BLZ]

Looks a bank up by its bank code in the bank code file.

With BLZ, shows the bank; exit status 1 when the code is invalid or unknown.
Without, reads one bank code a line from standard input and writes a line
  found;error;bank_number;bank_name;bank_city;bank_complete
for each (found 1 or 0, error the code of LastError).
With --format json, writes one JSON object a line instead, single and batch:
  found, error, bank_number, bank_name, bank_city, bank_complete, message,
  and in single mode also method, postcode, bic, deleted, successor

The run answers from the bank code file as it was at its start; a change to
the file during the run takes effect at the next run.

Options:
  --strictness N  0 to 3: which characters besides digits a bank code may hold
                  (default 1: blanks and common separators)
  --format F      text (default) or json
  --data DIR      directory of the bank code file blz.txt
  --help          show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption, kStrictnessOption, kFormatOption};

template <typename Fields>
void AppendFound(Fields& fields, const quandor::Banking& banking, bool found) {
  fields.Flag("found", found)
      .Number("error", banking.LastError())
      .Text("bank_number", banking.BankNumber())
      .Text("bank_name", banking.BankName())
      .Text("bank_city", banking.BankCity())
      .Text("bank_complete", banking.BankComplete());
}

// Fields 5 to 9 of a bank's record, index 4 to 8: method, postcode, BIC,
// and whether the bank code is being deleted, with its successor. Older
// files lack the last ones.
struct FurtherFields {
  std::vector<std::string> fields;
  std::string field(std::size_t index) const {
    return index < fields.size() ? fields[index] : std::string();
  }
  std::string method() const {
    int method = -1;
    const std::string text = field(4);
    std::from_chars(text.data(), text.data() + text.size(), method);
    return quandor::TestingMethodCode(method);
  }
  bool deleted() const { return field(7) == "1"; }
};

FurtherFields ReadFurtherFields(quandor::Banking& banking) {
  auto fields = banking.SearchBankInfo(banking.BankNumber());
  return FurtherFields{fields ? std::move(*fields) : std::vector<std::string>()};
}

// An empty field is not shown.
void ShowFurtherFields(const FurtherFields& further) {
  const auto show = [](const char* label, const std::string& value) {
    if (!value.empty()) std::printf("%-12s%s\n", label, Printable(value).c_str());
  };
  show("Postcode:", further.field(5));
  show("BIC:", further.field(6));
  if (!further.field(4).empty()) show("Method:", further.method());
  if (further.deleted()) {
    show("Deleted:", further.field(8).empty()
                         ? "yes, the bank code is being deleted"
                         : "yes, the bank code is being deleted; successor " + further.field(8));
  }
}

}  // namespace

int RunBank(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("bank");
  const Invocation& run = *parsed;
  const Args& args = run.args;
  if (args.operands().size() > 1) return Status::Usage("expects at most one BLZ").Report("bank");

  // The whole run answers from the files as they are now.
  PinnedRun pinned;
  quandor::Banking& banking = pinned.banking;
  if (const auto problem = BankFileProblem(banking)) return Status::File(*problem).Report("bank");
  if (run.strictness) banking.Strictness(*run.strictness);

  const bool json = run.format == OutputFormat::kJson;
  if (args.operands().size() == 1) {
    const std::string_view blz = args.operands()[0];
    const bool found = banking.searchBank(blz);
    if (!found && !json) {
      std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(blz.size()), blz.data(),
                   ErrorText(banking.LastError()).data());
      return kExitNegative;
    }
    const FurtherFields further = found ? ReadFurtherFields(banking) : FurtherFields();
    if (json) {
      JsonFields fields;
      AppendFound(fields, banking, found);
      fields.Text("message", ErrorText(banking.LastError()));
      if (found) {
        fields.Text("method", further.method())
            .Text("postcode", further.field(5))
            .Text("bic", further.field(6))
            .Flag("deleted", further.deleted())
            .Text("successor", further.field(8));
      }
      std::string line;
      fields.AppendTo(line);
      std::printf("%s\n", line.c_str());
      return found ? kExitOk : kExitNegative;
    }
    std::printf("Bank code:  %s\nName:       %s\nCity:       %s\nShort name: %s\n",
                Printable(banking.BankNumber()).c_str(), Printable(banking.BankName()).c_str(),
                Printable(banking.BankCity()).c_str(), Printable(banking.BankComplete()).c_str());
    ShowFurtherFields(further);
    return kExitOk;
  }
  BankFileWatch watch(std::nullopt);
  return RunLineBatch(args, LineShape::kSingle, [&](std::string_view line, std::string& out) {
    const bool found = banking.searchBank(line);
    if (json) {
      JsonFields fields;
      AppendFound(fields, banking, found);
      fields.Text("message", ErrorText(banking.LastError())).AppendTo(out);
    } else {
      CsvFields fields(out, ';');
      AppendFound(fields, banking, found);
    }
    return watch.Judge(found, banking.LastError());
  });
}

}  // namespace quandor_check
