// Turning the bytes of the bank code file into UTF-8 lines.
#ifndef QUANDOR_BANKDIR_TEXT_DECODING_H_
#define QUANDOR_BANKDIR_TEXT_DECODING_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quandor::bankdir {

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 text as UTF-8. The five bytes that code page leaves undefined
// become the C1 controls of the same value.
std::string Windows1252ToUtf8(std::string_view bytes);

// The file's text as UTF-8, a leading byte order mark dropped: each line is
// taken as it is when it is valid UTF-8, otherwise read as Windows-1252. Line
// ends stay as they are.
std::string DecodeBankFileText(std::string bytes);

// Where one line lies in a text, its line end excluded.
struct LineSpan {
  std::size_t begin;
  std::size_t length;
};

// The lines of text, each ended by CR LF, CR alone or LF alone; a last line
// without an end counts too. An empty text has no lines.
std::vector<LineSpan> SplitLines(std::string_view text);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_TEXT_DECODING_H_
