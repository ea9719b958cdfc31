#include "bankdir/text_decoding.h"

#include <array>
#include <cstdint>

#include "utf8_repair.h"

namespace quandor::bankdir {
namespace {

// Code points of the bytes 0x80 to 0x9F in Windows-1252; 0xA0 and up equal
// their Latin-1 code points.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    if (static_cast<unsigned char>(bytes.front()) < 0x80) {  // the common case
      bytes.remove_prefix(1);
      continue;
    }
    const Utf8Sequence sequence = FirstUtf8Sequence(bytes);
    if (!sequence.well_formed) return false;
    bytes.remove_prefix(sequence.length);
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xA0) {
      AppendUtf8(out, kWindows1252High[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string DecodeBankFileText(std::string bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.erase(0, kByteOrderMark.size());
  if (IsValidUtf8(bytes)) return bytes;
  // Line by line, so that one stray byte spoils no more than its own line.
  const std::string_view text(bytes);
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(begin, end - begin);
    if (IsValidUtf8(line)) {
      out += line;
    } else {
      out += Windows1252ToUtf8(line);
    }
    const std::size_t line_end = text.find_first_not_of("\r\n", end);
    begin = line_end == std::string_view::npos ? text.size() : line_end;
    out += text.substr(end, begin - end);
  }
  return out;
}

std::vector<LineSpan> SplitLines(std::string_view text) {
  std::vector<LineSpan> lines;
  const std::size_t size = text.size();
  std::size_t begin = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back({begin, i - begin});
    if (c == '\r' && i + 1 < size && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < size) lines.push_back({begin, size - begin});
  return lines;
}

}  // namespace quandor::bankdir
