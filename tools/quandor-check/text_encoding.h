// Text into and out of the tool. Input files come in UTF-8 or in
// Windows-1252 (what German spreadsheet programs export); everything the tool
// writes is UTF-8 without control characters in the texts it adds.
#ifndef QUANDOR_CHECK_TEXT_ENCODING_H_
#define QUANDOR_CHECK_TEXT_ENCODING_H_

#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quandor_check {

enum class InputEncoding {
  kAuto,         // each record: UTF-8 when it is valid UTF-8, else Windows-1252
  kUtf8,         // invalid sequences become U+FFFD
  kWindows1252,  // every byte a character
};

// The encoding named by --encoding: auto, utf-8 (utf8), windows-1252
// (cp1252, latin1, iso-8859-1); nothing for any other name. Case is ignored.
std::optional<InputEncoding> ParseEncoding(std::string_view name);

// Turns the fields of one record into UTF-8: a field that changes is written
// to owned[i] (grown as needed), which fields[i] then views. Under kAuto the
// record is decided as a whole, as a line of the bank code file is: one field
// that is not UTF-8 makes every field of it Windows-1252. False when no field
// was changed.
bool DecodeFields(std::span<std::string_view> fields, std::deque<std::string>& owned,
                  InputEncoding encoding);

// Appends text with every invalid UTF-8 sequence replaced by U+FFFD.
void AppendValidUtf8(std::string& out, std::string_view text);

// Appends text as valid UTF-8 with control characters (C0 including NUL and
// tab, DEL, C1) replaced by U+FFFD, so that a stray byte in the bank code
// file can neither steer a terminal nor split a record of the output.
void AppendPrintable(std::string& out, std::string_view text);
// Whether AppendPrintable would append text unchanged.
bool IsPrintable(std::string_view text);
std::string Printable(std::string_view text);

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_TEXT_ENCODING_H_
