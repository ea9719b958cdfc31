#include "text_encoding.h"

#include <algorithm>
#include <array>

#include "ascii_scan.h"
#include "bankdir/text_decoding.h"
#include "utf8_repair.h"

namespace quandor_check {
namespace {

using quandor::bankdir::IsValidUtf8;
using quandor::bankdir::Windows1252ToUtf8;

constexpr std::string_view kReplacement = quandor::kReplacementCharacter;

struct EncodingName {
  std::string_view name;
  InputEncoding encoding;
};

constexpr std::array<EncodingName, 7> kEncodingNames = {{
    {"auto", InputEncoding::kAuto},
    {"utf-8", InputEncoding::kUtf8},
    {"utf8", InputEncoding::kUtf8},
    {"windows-1252", InputEncoding::kWindows1252},
    {"cp1252", InputEncoding::kWindows1252},
    {"latin1", InputEncoding::kWindows1252},
    {"iso-8859-1", InputEncoding::kWindows1252},
}};

// Calls emit(sequence) for every well-formed sequence of text and
// emit(kReplacement) for every ill-formed part of it.
template <typename Emit>
void ForEachCharacter(std::string_view text, Emit&& emit) {
  while (!text.empty()) {
    const quandor::Utf8Sequence sequence = quandor::FirstUtf8Sequence(text);
    emit(sequence.well_formed ? text.substr(0, sequence.length) : kReplacement);
    text.remove_prefix(sequence.length);
  }
}

bool IsControl(std::string_view sequence) {
  const auto first = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return first < 0x20 || first == 0x7F;
  return sequence.size() == 2 && first == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

}  // namespace

std::optional<InputEncoding> ParseEncoding(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  for (const EncodingName& entry : kEncodingNames) {
    if (entry.name == lower) return entry.encoding;
  }
  return std::nullopt;
}

bool DecodeFields(std::span<std::string_view> fields, std::deque<std::string>& owned,
                  InputEncoding encoding) {
  // ASCII reads the same in every encoding.
  const auto ascii = [](std::string_view field) { return IsAscii(field); };
  if (std::all_of(fields.begin(), fields.end(), ascii)) return false;
  const auto valid = [](std::string_view field) { return IsValidUtf8(field); };
  if (encoding != InputEncoding::kWindows1252 && std::all_of(fields.begin(), fields.end(), valid)) {
    return false;
  }
  if (owned.size() < fields.size()) owned.resize(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string decoded;
    if (encoding == InputEncoding::kUtf8) {
      if (valid(fields[i])) continue;
      AppendValidUtf8(decoded, fields[i]);
    } else {
      decoded = Windows1252ToUtf8(fields[i]);
    }
    // The field may view owned[i] itself: it is read before owned[i] changes.
    owned[i] = std::move(decoded);
    fields[i] = owned[i];
  }
  return true;
}

void AppendValidUtf8(std::string& out, std::string_view text) {
  ForEachCharacter(text, [&](std::string_view sequence) { out.append(sequence); });
}

void AppendPrintable(std::string& out, std::string_view text) {
  ForEachCharacter(text, [&](std::string_view sequence) {
    out.append(IsControl(sequence) ? kReplacement : sequence);
  });
}

bool IsPrintable(std::string_view text) {
  if (IsPlainCsvText(text, '"')) return true;
  bool ascii = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F) return false;
    if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      return false;
    }
    ascii = ascii && byte < 0x80;
  }
  return ascii || IsValidUtf8(text);
}

std::string Printable(std::string_view text) {
  std::string out;
  AppendPrintable(out, text);
  return out;
}

}  // namespace quandor_check
