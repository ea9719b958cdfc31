#include "common.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>

#include "quandor/banking.h"
#include "quandor/iban.h"

namespace quandor_check {
namespace {

StatusOr<std::optional<std::int32_t>> StrictnessOption(const Args& args) {
  const auto text = args.Value("strictness");
  if (!text) return std::optional<std::int32_t>();
  const auto value = ParseInteger(*text);
  if (!value || *value < 0 || *value > 3) {
    return Status::Usage("--strictness takes 0, 1, 2 or 3, not '" + std::string(*text) + "'");
  }
  return std::optional<std::int32_t>(static_cast<std::int32_t>(*value));
}

StatusOr<std::int32_t> RulesOption(const Args& args) {
  const auto text = args.Value("rules");
  if (!text) return quandor::GetDefaultRules(quandor::qdRulesCurrent);
  if (const auto rules = ParseRules(*text)) return *rules;
  return Status::Usage("--rules takes current or original, not '" + std::string(*text) + "'");
}

StatusOr<OutputFormat> FormatOption(const Args& args) {
  const std::string_view text = args.Value("format").value_or("text");
  if (text == "text") return OutputFormat::kText;
  if (text == "json") return OutputFormat::kJson;
  return Status::Usage("--format takes text or json, not '" + std::string(text) + "'");
}

}  // namespace

StatusOr<Invocation> ParseCommand(std::string_view help, Words words,
                                  std::span<const OptionSpec> specs) {
  Invocation invocation;
  if (Status status = ParseArgs(words, specs, invocation.args); !status.ok()) return status;
  const Args& args = invocation.args;
  if (args.Has("help")) {
    std::string text(help);
    text.append("\nExit status:\n");
    AppendExitStatusTable(text, "  ");
    std::fwrite(text.data(), 1, text.size(), stdout);
    return Status::Done(kExitOk);
  }
  if (const auto dir = args.Value("data")) {
    if (Status status = UseDataDir(*dir); !status.ok()) return status;
  }
  const auto strictness = StrictnessOption(args);
  if (!strictness.ok()) return strictness.status();
  invocation.strictness = *strictness;
  const auto rules = RulesOption(args);
  if (!rules.ok()) return rules.status();
  invocation.rules = *rules;
  const auto format = FormatOption(args);
  if (!format.ok()) return format.status();
  invocation.format = *format;
  return invocation;
}

Status UseDataDir(std::string_view dir) {
  if (dir.empty()) return Status::Usage("--data needs a directory, not an empty name");
  ::setenv("QUANDOR_DATA_DIR", std::string(dir).c_str(), 1);
  return Status();
}

std::string_view RulesName(std::int32_t rules) {
  return rules == quandor::qdRulesCurrent ? "current" : "original";
}

std::optional<std::int32_t> ParseRules(std::string_view name) {
  if (name == "original") return std::int32_t{quandor::qdRulesOriginal};
  if (name == "current") return std::int32_t{quandor::qdRulesCurrent};
  return std::nullopt;
}

namespace {

quandor::TextLanguage gLanguage = quandor::TextLanguage::kGerman;

// The texts stay where they are for the run, so that a caller may keep
// their addresses (CsvFields::KeptText). Codes run from 0 to 255; a map
// holds any other.
template <std::string (*kText)(std::int32_t, quandor::TextLanguage)>
std::string_view TextOnce(std::int32_t code) {
  static std::array<std::optional<std::string>, 256> texts;
  if (code < 0 || code >= static_cast<std::int32_t>(texts.size())) {
    static std::map<std::int32_t, std::string> others;
    auto found = others.find(code);
    if (found == others.end()) found = others.emplace(code, kText(code, gLanguage)).first;
    return found->second;
  }
  auto& text = texts[static_cast<std::size_t>(code)];
  if (!text) text = kText(code, gLanguage);
  return *text;
}

}  // namespace

bool UseLanguage(std::string_view name) {
  const auto language = quandor::TextLanguageByName(name);
  if (language) gLanguage = *language;
  return language.has_value();
}

std::string_view ErrorText(std::int32_t code) { return TextOnce<quandor::GetErrorText>(code); }

std::string_view IbanErrorText(std::int32_t code) {
  return TextOnce<quandor::GetIbanErrorText>(code);
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

namespace {

struct CompanyWords {
  std::string_view name;        // as answers name it
  std::string_view short_name;  // as people type it
};
// Indexed by the company's number (ccVisa 0 to ccDiscover 5).
constexpr std::array<CompanyWords, 6> kCompanyWords = {{{"visa", "visa"},
                                                        {"mastercard", "mastercard"},
                                                        {"eurocard", "eurocard"},
                                                        {"americanexpress", "amex"},
                                                        {"dinersclub", "diners"},
                                                        {"discover", "discover"}}};

}  // namespace

std::optional<std::int32_t> CardCompanyNumber(std::string_view text) {
  if (const auto number = ParseInteger(text)) {
    if (*number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max()) {
      return -1;
    }
    return static_cast<std::int32_t>(*number);
  }
  std::string word;
  for (const char c : text) {
    if (c == ' ' || c == '-' || c == '_') continue;
    word.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
  }
  for (std::size_t i = 0; i < kCompanyWords.size(); ++i) {
    if (word == kCompanyWords[i].name || word == kCompanyWords[i].short_name) {
      return static_cast<std::int32_t>(i);
    }
  }
  return std::nullopt;
}

std::string_view CardCompanyName(std::int32_t company) {
  if (company < 0 || company >= static_cast<std::int32_t>(kCompanyWords.size())) return {};
  return kCompanyWords[static_cast<std::size_t>(company)].name;
}

std::optional<std::string> SuccessorOfDeleted(quandor::Banking& banking) {
  if (banking.BankNumber().empty()) return std::nullopt;
  // Fields 8 and 9 of the record: the deletion flag and the successor.
  const auto fields = banking.SearchBankInfo(banking.BankNumber());
  if (!fields || fields->size() < 8 || (*fields)[7] != "1") return std::nullopt;
  return fields->size() > 8 ? (*fields)[8] : std::string();
}

void WarnDeleted(std::string_view blz, const std::string& successor, std::uint64_t line) {
  std::string code;
  for (const char c : blz) {
    if (c != ' ') code.push_back(c);
  }
  const std::string where = line == 0 ? "" : "line " + std::to_string(line) + ": ";
  std::fprintf(stderr, "quandor-check: %swarning: bank code %s is being deleted%s%s\n",
               where.c_str(), code.c_str(), successor.empty() ? "" : "; its successor is ",
               successor.c_str());
}

}  // namespace quandor_check
