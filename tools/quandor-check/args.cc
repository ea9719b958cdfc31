#include "args.h"

#include <algorithm>

namespace quandor_check {

bool Args::Has(std::string_view name) const {
  return std::any_of(options_.begin(), options_.end(),
                     [&](const auto& option) { return option.first == name; });
}

std::optional<std::string_view> Args::Value(std::string_view name) const {
  for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
    if (it->first == name) return it->second;
  }
  return std::nullopt;
}

namespace {

bool IsNegativeNumber(std::string_view word) {
  return word.size() > 1 && word[0] == '-' &&
         std::all_of(word.begin() + 1, word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Status ParseArgs(std::span<const char* const> words, std::span<const OptionSpec> specs, Args& out) {
  bool options_done = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (options_done || word == "-" || word.empty() || word[0] != '-' || IsNegativeNumber(word)) {
      out.operands_.push_back(word);
      continue;
    }
    if (word == "--") {
      options_done = true;
      continue;
    }
    std::string_view name = word == "-h" ? std::string_view("help") : word.substr(2);
    if (word.size() < 3 || word[1] != '-') {
      if (word != "-h") return Status::Usage("unknown option '" + std::string(word) + "'");
    }
    std::optional<std::string_view> inline_value;
    if (const auto eq = name.find('='); eq != std::string_view::npos) {
      inline_value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    const auto spec = std::find_if(specs.begin(), specs.end(),
                                   [&](const OptionSpec& s) { return s.name == name; });
    if (spec == specs.end()) return Status::Usage("unknown option '--" + std::string(name) + "'");
    if (!spec->takes_value) {
      if (inline_value) return Status::Usage("option '--" + std::string(name) + "' takes no value");
      out.options_.emplace_back(spec->name, std::string_view());
      continue;
    }
    if (!inline_value) {
      if (i + 1 == words.size())
        return Status::Usage("option '--" + std::string(name) + "' needs a value");
      inline_value = words[++i];
    }
    out.options_.emplace_back(spec->name, *inline_value);
  }
  return Status();
}

}  // namespace quandor_check
