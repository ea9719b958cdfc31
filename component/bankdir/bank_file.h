// One reading of the bank code file: its text decoded to UTF-8 and split
// into lines. Never changed once made, so that any number of threads read it
// at once (the folded text, made at the first case-insensitive search, is
// made once).
#ifndef QUANDOR_BANKDIR_BANK_FILE_H_
#define QUANDOR_BANKDIR_BANK_FILE_H_

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "bankdir/text_decoding.h"

namespace quandor::bankdir {

// The largest bank code file read, far beyond any real edition (the full
// Bundesbank file is about 3 MB); a larger file is taken as missing, unread.
inline constexpr std::size_t kMaxBankFileSize = std::size_t{64} << 20;

class BankFileLines {
 public:
  // text: the file's bytes as DecodeBankFileText gives them.
  explicit BankFileLines(std::string text);
  BankFileLines(const BankFileLines&) = delete;
  BankFileLines& operator=(const BankFileLines&) = delete;

  const std::string& text() const { return text_; }

  // Number of lines, empty ones included; line numbers count from 0.
  std::size_t size() const { return lines_.size(); }
  std::string_view line(std::size_t number) const {
    return std::string_view(text_).substr(lines_[number].begin, lines_[number].length);
  }
  // The text and a line with their letters folded to lower case (see
  // case_fold.h); folding keeps every byte in its place.
  std::string_view folded_text() const;
  std::string_view folded_line(std::size_t number) const;

 private:
  std::string text_;
  std::vector<LineSpan> lines_;
  mutable std::once_flag folding_;
  mutable std::string folded_;
};

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_BANK_FILE_H_
