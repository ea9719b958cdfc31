#include "bankdir/bank_file.h"

#include "bankdir/case_fold.h"

namespace quandor::bankdir {

BankFileLines::BankFileLines(std::string text)
    : text_(std::move(text)), lines_(SplitLines(text_)) {}

std::string_view BankFileLines::folded_text() const {
  std::call_once(folding_, [this] { folded_ = FoldCase(text_); });
  return folded_;
}

std::string_view BankFileLines::folded_line(std::size_t number) const {
  return folded_text().substr(lines_[number].begin, lines_[number].length);
}

}  // namespace quandor::bankdir
