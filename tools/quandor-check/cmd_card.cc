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
#include "quandor/creditcard.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quandor-check card [--strictness N] [--rules RULES] [COMPANY NUMBER]

Checks a credit card number against the number prefix and length of its card
company. Under the original rules (the default) no check digit is computed;
under --rules current the number must also pass the Luhn check digit and
today's prefixes and lengths (Mastercard 2221-2720, Discover 644-649, ...).

COMPANY is 0 to 5 or one of visa, mastercard, eurocard, amex, diners, discover.

With COMPANY and NUMBER, shows the verdict; exit status 0 when valid, 1 when
not. Without, reads lines COMPANY;NUMBER from standard input and writes a line
  valid;error;card_number
for each. A numeric COMPANY is passed on unchanged (6 or -1 give error 107).

Options:
  --strictness N  0 to 3: which characters besides digits the number may hold
                  (default 0: any; 1 drops them, 2 and 3 reject them)
  --rules RULES   original (as first built) or current (today's ranges and the
                  Luhn check); default from QUANDOR_RULES or the settings file
  --help          show this help
)";

constexpr OptionSpec kSpecs[] = {kHelpOption, kDataOption, kStrictnessOption, kRulesOption};

constexpr std::array<std::string_view, 6> kCompanyNames = {"visa", "mastercard", "eurocard",
                                                           "amex", "diners",     "discover"};

// The company number for Validate; nothing for a word that names no company.
std::optional<std::int32_t> CompanyNumber(std::string_view text) {
  if (const auto number = ParseInteger(text)) {
    // Beyond 32 bits no company exists: pass a value Validate reports as unknown.
    if (*number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max()) {
      return -1;
    }
    return static_cast<std::int32_t>(*number);
  }
  std::string lower(text);
  for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  for (std::size_t i = 0; i < kCompanyNames.size(); ++i) {
    if (lower == kCompanyNames[i]) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

}  // namespace

int RunCard(Words words) {
  Args args;
  std::optional<std::int32_t> strictness;
  if (const auto done = ParseCheckCommandArgs("card", kHelp, words, kSpecs, args, strictness)) {
    return *done;
  }
  std::optional<std::int32_t> rules;
  if (const auto done = ParseRulesOption("card", args, rules)) return *done;
  const std::size_t operands = args.operands().size();
  if (operands == 1 || operands > 2)
    return UsageError("card", "expects COMPANY and NUMBER, or neither");

  quandor::Creditcard card;
  if (strictness) card.Strictness(*strictness);
  if (rules) card.Rules(*rules);

  if (operands == 2) {
    const auto company = CompanyNumber(args.operands()[0]);
    if (!company) {
      return UsageError("card", "unknown COMPANY '" + std::string(args.operands()[0]) + "'");
    }
    const bool valid = card.Validate(*company, args.operands()[1]);
    std::printf("Result:      %s (%s)\nCard number: %s\n", valid ? "valid" : "invalid",
                ErrorText(card.LastError()).data(), card.CardNumber().c_str());
    return valid ? kExitOk : kExitNegative;
  }
  return RunLineBatch(args, [&](std::string_view line, std::string& out) {
    const auto semicolon = line.find(';');
    const std::string_view number =
        semicolon == std::string_view::npos ? std::string_view() : line.substr(semicolon + 1);
    // A company that is neither a number nor a name is as unknown as company 6.
    const std::int32_t company = CompanyNumber(line.substr(0, semicolon)).value_or(-1);
    const bool valid = card.Validate(company, number);
    CsvFields(out, ';').Number(valid ? 1 : 0).Number(card.LastError()).Text(card.CardNumber());
    return valid ? RowOutcome::kValid : RowOutcome::kInvalid;
  });
}

}  // namespace quandor_check
