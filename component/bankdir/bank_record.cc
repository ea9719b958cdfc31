#include "bankdir/bank_record.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace quandor::bankdir {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters of the number at the front of field, blanks left out, in
// the form strtod reads: [sign] digits [. digits] [e [sign] digits].
std::string NumberText(std::string_view field) {
  std::string number;
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < field.size() && IsBlank(field[i])) ++i;
  };
  auto take_digits = [&] {
    bool any = false;
    for (skip_blanks(); i < field.size() && IsDigit(field[i]); skip_blanks()) {
      number += field[i++];
      any = true;
    }
    return any;
  };
  skip_blanks();
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) number += field[i++];
  bool mantissa = take_digits();
  if (i < field.size() && field[i] == '.') {
    number += field[i++];
    mantissa = take_digits() || mantissa;
  }
  if (!mantissa) return {};
  if (i < field.size() &&
      (field[i] == 'e' || field[i] == 'E' || field[i] == 'd' || field[i] == 'D')) {
    std::string exponent = "e";
    ++i;
    skip_blanks();
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) exponent += field[i++];
    const std::size_t before = exponent.size();
    for (skip_blanks(); i < field.size() && IsDigit(field[i]); skip_blanks())
      exponent += field[i++];
    if (exponent.size() > before) number += exponent;
  }
  return number;
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  FieldReader reader(line);
  while (const auto field = reader.Next()) fields.emplace_back(*field);
  return fields;
}

RecordLayout RecordLayout::Of(std::string_view line) {
  RecordLayout layout;
  std::size_t begin = 0;
  while (layout.fields < kFields) {
    const std::size_t end = std::min(line.find(kFieldSeparator, begin), line.size());
    layout.ends[layout.fields++] = static_cast<uint32_t>(end);
    if (end == line.size()) break;
    begin = end + 1;
  }
  if (layout.fields >= 5) {
    const auto method = ReadMethodNumber(layout.Field(line, 4));
    layout.method_fits = method.has_value();
    layout.method = method.value_or(0);
  }
  return layout;
}

std::string_view BankCodeOf(std::string_view line) {
  return line.substr(0, line.find(kFieldSeparator));
}

std::optional<int32_t> ReadMethodNumber(std::string_view field) {
  // The common case, one or two plain digits, without a detour through text.
  if (!field.empty() && field.size() <= 3) {
    int32_t value = 0;
    bool plain = true;
    for (char c : field) {
      if (!IsDigit(c)) {
        plain = false;
        break;
      }
      value = value * 10 + (c - '0');
    }
    if (plain) return value;
  }
  const std::string number = NumberText(field);
  if (number.empty()) return 0;
  // from_chars takes no leading "+" and, unlike strtod, ignores the locale.
  const std::string_view digits =
      number.front() == '+' ? std::string_view(number).substr(1) : number;
  double read = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), read);
  if (error == std::errc::invalid_argument) return 0;
  const double value = std::nearbyint(read);
  if (error != std::errc() || !(value >= INT16_MIN && value <= INT16_MAX)) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace quandor::bankdir
