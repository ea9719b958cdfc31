#include "common.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "quandor/banking.h"
#include "quandor/iban.h"

namespace quandor_check {

int UsageError(std::string_view command, std::string_view message) {
  std::fprintf(stderr, "quandor-check %.*s: %.*s\nTry 'quandor-check %.*s --help'.\n",
               static_cast<int>(command.size()), command.data(), static_cast<int>(message.size()),
               message.data(), static_cast<int>(command.size()), command.data());
  return kExitUsage;
}

int Fail(int status, std::string_view message) {
  std::fprintf(stderr, "quandor-check: %.*s\n", static_cast<int>(message.size()), message.data());
  return status;
}

std::optional<int> ParseCommandArgs(std::string_view command, std::string_view help,
                                    std::span<const char* const> words,
                                    std::span<const OptionSpec> specs, Args& args) {
  if (const auto error = ParseArgs(words, specs, args)) return UsageError(command, *error);
  if (args.Has("help")) {
    std::fwrite(help.data(), 1, help.size(), stdout);
    return kExitOk;
  }
  if (const auto dir = args.Value("data")) {
    if (dir->empty()) return UsageError(command, "--data needs a directory");
    UseDataDir(*dir);
  }
  return std::nullopt;
}

void UseDataDir(std::string_view dir) { ::setenv("QUANDOR_DATA_DIR", std::string(dir).c_str(), 1); }

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

std::optional<int> ParseCheckCommandArgs(std::string_view command, std::string_view help,
                                         std::span<const char* const> words,
                                         std::span<const OptionSpec> specs, Args& args,
                                         std::optional<std::int32_t>& strictness) {
  if (const auto done = ParseCommandArgs(command, help, words, specs, args)) return done;
  strictness.reset();
  const auto text = args.Value("strictness");
  if (!text) return std::nullopt;
  const auto value = ParseInteger(*text);
  if (!value || *value < 0 || *value > 3) {
    return UsageError(command, "--strictness takes 0, 1, 2 or 3, not '" + std::string(*text) + "'");
  }
  strictness = static_cast<std::int32_t>(*value);
  return std::nullopt;
}

std::optional<int> ParseRulesOption(std::string_view command, const Args& args,
                                    std::optional<std::int32_t>& rules) {
  rules.reset();
  const auto text = args.Value("rules");
  if (!text) return std::nullopt;
  if (*text == "original") {
    rules = quandor::qdRulesOriginal;
  } else if (*text == "current") {
    rules = quandor::qdRulesCurrent;
  } else {
    return UsageError(command,
                      "--rules takes current or original, not '" + std::string(*text) + "'");
  }
  return std::nullopt;
}

}  // namespace quandor_check
