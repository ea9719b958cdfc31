#include "bundesbank.h"

#include <algorithm>
#include <vector>

namespace quandor_check {
namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Columns first..last, counted from 1 as the Bundesbank documents them.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
  return line.substr(first - 1, last - first + 1);
}

std::string_view TrimRight(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string Text(std::string_view line, std::size_t first, std::size_t last) {
  return Latin1ToUtf8(TrimRight(Columns(line, first, last)));
}

}  // namespace

std::optional<std::string> MethodNumber(std::string_view code) {
  if (code.size() != 2 || code[1] < '0' || code[1] > '9') return std::nullopt;
  if (code[0] >= '0' && code[0] <= '9') return std::string(code);
  if (code[0] >= 'A' && code[0] <= 'E') {
    return std::to_string(100 + 10 * (code[0] - 'A') + (code[1] - '0'));
  }
  return std::nullopt;
}

std::string Latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return out;
}

std::string ParseBundesbankLine(std::string_view line, BundesbankRecord& out) {
  if (line.size() != kBundesbankLineLength) {
    return std::to_string(line.size()) + " characters instead of " +
           std::to_string(kBundesbankLineLength);
  }
  const std::string_view code = Columns(line, 1, 8);
  if (!AllDigits(code)) return "bank code '" + Latin1ToUtf8(code) + "' is not eight digits";
  const char type = line[8];
  if (type != '1' && type != '2') {
    return "record type '" + Latin1ToUtf8(line.substr(8, 1)) + "' is neither 1 nor 2";
  }
  const std::string_view postcode = Columns(line, 68, 72);
  if (!AllDigits(postcode)) {
    return "postcode '" + Latin1ToUtf8(postcode) + "' is not five digits";
  }
  const std::string_view method_code = Columns(line, 151, 152);
  const auto method = MethodNumber(method_code);
  if (!method) {
    return "check method '" + Latin1ToUtf8(method_code) + "' is neither two digits nor A0 to E9";
  }
  const char deletion = line[159];
  if (deletion != '0' && deletion != '1') {
    return "deletion flag '" + Latin1ToUtf8(line.substr(159, 1)) + "' is neither 0 nor 1";
  }
  const std::string_view successor = Columns(line, 161, 168);
  if (!AllDigits(successor)) {
    return "successor bank code '" + Latin1ToUtf8(successor) + "' is not eight digits";
  }
  out.code = std::string(code);
  out.main_office = type == '1';
  out.name = Text(line, 10, 67);
  out.postcode = std::string(postcode);
  out.city = Text(line, 73, 107);
  out.short_name = Text(line, 108, 134);
  out.bic = Text(line, 140, 150);
  out.method = *method;
  out.deleted = deletion == '1';
  out.successor = successor == "00000000" ? std::string() : std::string(successor);
  // The target format has no quoting: a ";" would shift every later field.
  for (const std::string* field : {&out.name, &out.city, &out.short_name, &out.bic}) {
    if (field->find(';') != std::string::npos) return "';' in '" + *field + "'";
  }
  return {};
}

bool ConvertBundesbankFile(std::string_view content, bool all_offices, std::string& out,
                           std::string& error) {
  out.clear();
  std::vector<BundesbankRecord> records;
  std::size_t line_number = 0;
  std::size_t pos = 0;
  while (pos < content.size()) {
    ++line_number;
    std::size_t end = content.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view line = content.substr(pos, end - pos);
    pos = end;
    if (pos < content.size() && content[pos] == '\r') ++pos;
    if (pos < content.size() && content[pos] == '\n') ++pos;
    BundesbankRecord record;
    const std::string problem = ParseBundesbankLine(line, record);
    if (!problem.empty()) {
      error = "line " + std::to_string(line_number) + ": " + problem;
      return false;
    }
    if (all_offices || record.main_office) records.push_back(std::move(record));
  }
  // Stable, so that within a bank code the file's order (main office first) stays.
  std::stable_sort(
      records.begin(), records.end(),
      [](const BundesbankRecord& a, const BundesbankRecord& b) { return a.code < b.code; });
  for (std::size_t i = 0; i < records.size(); ++i) {
    const BundesbankRecord& r = records[i];
    if (!all_offices && i > 0 && records[i - 1].code == r.code) continue;
    for (const std::string* field :
         {&r.code, &r.name, &r.city, &r.short_name, &r.method, &r.postcode}) {
      out += *field;
      out += ';';
    }
    out += r.bic;
    out += r.deleted ? ";1;" : ";0;";
    out += r.successor;
    out += "\r\n";
  }
  return true;
}

}  // namespace quandor_check
