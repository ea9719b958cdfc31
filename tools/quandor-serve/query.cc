#include "query.h"

namespace quandor_serve {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> PercentDecode(std::string_view text, bool query) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      c = static_cast<char>(high * 16 + low);
      i += 2;
    } else if (c == '+' && query) {
      c = ' ';
    }
    if (c == '\0') return std::nullopt;
    out.push_back(c);
  }
  return out;
}

const std::string* Target::Param(std::string_view name) const {
  const std::string* found = nullptr;
  for (const auto& [key, value] : params) {
    if (key == name) found = &value;
  }
  return found;
}

std::optional<Target> ParseTarget(std::string_view target) {
  if (target.empty() || target[0] != '/') return std::nullopt;
  const std::size_t question = target.find('?');
  std::string_view path = target.substr(0, question);
  Target out;
  while (!path.empty()) {
    path.remove_prefix(1);  // the "/"
    const std::size_t end = path.find('/');
    auto segment = PercentDecode(path.substr(0, end), false);
    if (!segment) return std::nullopt;
    if (!segment->empty() || end != std::string_view::npos) out.segments.push_back(*segment);
    if (end == std::string_view::npos) break;
    path.remove_prefix(end);
  }
  if (question == std::string_view::npos) return out;
  std::string_view query = target.substr(question + 1);
  while (!query.empty()) {
    const std::size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    if (!pair.empty()) {
      const std::size_t equals = pair.find('=');
      auto key = PercentDecode(pair.substr(0, equals), true);
      auto value = PercentDecode(
          equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1), true);
      if (!key || !value) return std::nullopt;
      out.params.emplace_back(std::move(*key), std::move(*value));
    }
    if (end == std::string_view::npos) break;
    query.remove_prefix(end + 1);
  }
  return out;
}

}  // namespace quandor_serve
