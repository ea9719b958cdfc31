// The Deutsche Bundesbank's bank code file (fixed-width, ISO-8859-1, CR LF)
// turned into the bank code file the component reads:
// "code;name;city;short name;method;postcode;BIC;deletion;successor", UTF-8,
// CR LF, by code. The component reads fields 1 to 7 only; the last two tell
// a person that a bank code is being deleted and which code replaces it.
#ifndef QUANDOR_CHECK_BUNDESBANK_H_
#define QUANDOR_CHECK_BUNDESBANK_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quandor_check {

// One line of the Bundesbank file. Texts are UTF-8 without trailing blanks.
struct BundesbankRecord {
  std::string code;        // columns 1-8
  bool main_office;        // column 9: record type 1 (main office) or 2 (branch)
  std::string name;        // columns 10-67
  std::string postcode;    // columns 68-72
  std::string city;        // columns 73-107
  std::string short_name;  // columns 108-134
  std::string bic;         // columns 140-150
  std::string method;      // columns 151-152, see MethodNumber
  bool deleted;            // column 160: the bank code is being deleted
  std::string successor;   // columns 161-168, "" where none ("00000000")
};

// Length of a line without its line end.
inline constexpr std::size_t kBundesbankLineLength = 168;

// The check method as the component reads it. Two digits stay as they are
// ("09"). A letter and a digit (A0 to E9) become 100 + 10 * (letter - A) +
// digit, so that the component sees a method it does not know instead of
// reading the leading digits of "A4" as 0 and checking by the wrong method.
// Anything else gives nothing.
std::optional<std::string> MethodNumber(std::string_view code);

// ISO-8859-1 bytes as UTF-8.
std::string Latin1ToUtf8(std::string_view text);

// Parses one line (without line end). Returns why it is malformed, or "".
std::string ParseBundesbankLine(std::string_view line, BundesbankRecord& out);

// Converts the whole file. Main offices only, one per bank code (the first),
// unless all_offices. On a malformed line returns false and sets error to a
// message that names the line number; out is then left empty.
bool ConvertBundesbankFile(std::string_view content, bool all_offices, std::string& out,
                           std::string& error);

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_BUNDESBANK_H_
