// quandor-check data: the bank code file answering now and its edition.
#include "commands.h"
#include "common.h"
#include "data_edition.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quandor-check data

Shows the bank code file that the checks answer from: its full name, the
edition of the Bundesbank's data in it and whether that is still in force,
a next edition waiting beside it, the number of banks, and the rules that
apply unless --rules says otherwise.

An edition is recorded by 'quandor-check convert'; it is out of date after
its last day, or 100 days after its first where no last day was named.
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption};

}  // namespace

int RunData(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("data");
  if (!parsed->args.operands().empty()) return Status::Usage("expects no arguments").Report("data");
  const quandor::DataInfo info = quandor::GetDataInfo();
  PrintDataInfo(info, stdout);
  return info.found ? kExitOk : kExitUsageOrFile;
}

}  // namespace quandor_check
