// quandor-check card: a credit card number against its company's prefix and
// length, and under today's rules its Luhn check digit.
#include <array>
#include <cstdio>
#include <limits>
#include <string>

#include "batch.h"
#include "commands.h"
#include "common.h"
#include "csv.h"
#include "json_fields.h"
#include "quandor/creditcard.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quandor-check card [--strictness N] [--rules RULES] [--format F] [COMPANY NUMBER]

Checks a credit card number against the number prefix and length of its card
company. Under today's rules (the default) the number must also pass the
Luhn check digit and today's prefixes and lengths (Mastercard 2221-2720,
Discover 644-649, ...); under --rules original no check digit is computed.

COMPANY is 0 to 5 or one of visa, mastercard, eurocard, amex, diners, discover.

With COMPANY and NUMBER, shows the verdict and the rules that gave it; exit
status 0 when valid, 1 when not. Without, reads lines COMPANY;NUMBER from
standard input and writes a line
  valid;error;card_number
for each. A numeric COMPANY is passed on unchanged (6 or -1 give error 107).
With --format json, writes one JSON object a line instead, single and batch:
  valid, error, card_number, message, rules

Options:
  --strictness N  0 to 3: which characters besides digits the number may hold
                  (default 0: any; 1 drops them, 2 and 3 reject them)
  --rules RULES   current (today's ranges and the Luhn check) or original (as
                  first built); default from QUANDOR_RULES or the settings
                  file, else current
  --format F      text (default) or json
  --help          show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption, kStrictnessOption, kRulesOption,
                                 kFormatOption};

template <typename Fields>
void AppendVerdict(Fields& fields, const quandor::Creditcard& card, bool valid) {
  fields.Flag("valid", valid)
      .Number("error", card.LastError())
      .Text("card_number", card.CardNumber());
}

void AppendJson(std::string& out, const quandor::Creditcard& card, bool valid) {
  JsonFields fields;
  AppendVerdict(fields, card, valid);
  fields.Text("message", ErrorText(card.LastError())).Text("rules", RulesName(card.Rules()));
  fields.AppendTo(out);
}

}  // namespace

int RunCard(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("card");
  const Invocation& run = *parsed;
  const Args& args = run.args;
  const std::size_t operands = args.operands().size();
  if (operands == 1 || operands > 2)
    return Status::Usage("expects COMPANY and NUMBER, or neither").Report("card");

  quandor::Creditcard card;
  Configure(card, run);

  if (operands == 2) {
    const auto company = CardCompanyNumber(args.operands()[0]);
    if (!company) {
      return Status::Usage("unknown COMPANY '" + std::string(args.operands()[0]) + "'")
          .Report("card");
    }
    const bool valid = card.Validate(*company, args.operands()[1]);
    if (run.format == OutputFormat::kJson) {
      std::string line;
      AppendJson(line, card, valid);
      std::printf("%s\n", line.c_str());
    } else {
      std::printf("Result:      %s (%s)\nCard number: %s\nRules:       %.*s\n",
                  valid ? "valid" : "invalid", ErrorText(card.LastError()).data(),
                  card.CardNumber().c_str(), static_cast<int>(RulesName(card.Rules()).size()),
                  RulesName(card.Rules()).data());
    }
    return valid ? kExitOk : kExitNegative;
  }
  return RunLineBatch(args, LineShape::kPair, [&](std::string_view line, std::string& out) {
    const auto [company_text, number] = SplitPair(line);
    // A company that is neither a number nor a name is as unknown as company 6.
    const std::int32_t company = CardCompanyNumber(company_text).value_or(-1);
    const bool valid = card.Validate(company, number);
    if (run.format == OutputFormat::kJson) {
      AppendJson(out, card, valid);
    } else {
      CsvFields fields(out, ';');
      AppendVerdict(fields, card, valid);
    }
    return valid ? RowOutcome::kValid : RowOutcome::kInvalid;
  });
}

}  // namespace quandor_check
