#include "bankdir/bank_file.h"

#include <memory>

#include "bankdir/case_fold.h"
#include "bankdir/regular_file.h"
#include "bankdir/thread_pin.h"

namespace quandor::bankdir {
namespace {

struct Cache {
  std::string path;
  FileStamp stamp;
  bool settled = false;
  std::shared_ptr<const BankFileLines> lines;  // null: the file could not be opened
};

}  // namespace

BankFileLines::BankFileLines(std::string text, uint64_t reading)
    : text_(std::move(text)), lines_(SplitLines(text_)), reading_(reading) {}

std::string_view BankFileLines::folded_text() const {
  if (folded_.size() != text_.size()) folded_ = FoldCase(text_);
  return folded_;
}

std::string_view BankFileLines::folded_line(std::size_t number) const {
  return folded_text().substr(lines_[number].begin, lines_[number].length);
}

const std::shared_ptr<const BankFileLines>& CurrentBankFile(const std::string& path) {
  if (const PinnedFiles* pin = ThreadPin()) return pin->bank_file;
  thread_local Cache cache;
  FileStamp stamp;
  if (!StampOf(path.c_str(), stamp)) {
    cache.settled = false;
    cache.lines.reset();
    return cache.lines;
  }
  if (cache.settled && stamp == cache.stamp && path == cache.path) return cache.lines;

  const timespec read_start = FileClockNow();
  auto contents = ReadRegularFile(path.c_str(), kMaxBankFileSize, "reading the bank code file");
  if (!contents) {
    cache.settled = false;
    cache.lines.reset();
    return cache.lines;
  }
  std::string text = DecodeBankFileText(std::move(contents->bytes));
  // A young file is read at every use until it settles; the same text read
  // again keeps its reading.
  if (cache.lines == nullptr || cache.lines->text() != text) {
    thread_local uint64_t readings = 0;
    cache.lines = std::make_shared<const BankFileLines>(std::move(text), ++readings);
  }
  cache.path = path;
  cache.stamp = contents->stamp;
  cache.settled = StampIsSettled(contents->stamp, read_start);
  return cache.lines;
}

}  // namespace quandor::bankdir
