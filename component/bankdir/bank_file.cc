#include "bankdir/bank_file.h"

#include <memory>

#include "bankdir/case_fold.h"
#include "bankdir/change_watch.h"
#include "bankdir/data_path.h"
#include "bankdir/regular_file.h"
#include "bankdir/thread_pin.h"

namespace quandor::bankdir {
namespace {

struct Cache {
  FileLook look;
  FileStamp stamp;
  bool settled = false;
  std::shared_ptr<const BankFileLines> lines;  // null: the file could not be opened
};

// The look at the file itself, when the watch cannot vouch for the copy.
void LookAtFile(Cache& cache, const std::string& path) {
  FileStamp stamp;
  if (!StampOf(path.c_str(), stamp)) {
    cache.settled = false;
    cache.lines.reset();
    return;
  }
  if (cache.settled && stamp == cache.stamp && cache.lines != nullptr) return;

  const timespec read_start = FileClockNow();
  auto contents = ReadRegularFile(path.c_str(), kMaxBankFileSize, "reading the bank code file");
  if (!contents) {
    cache.settled = false;
    cache.lines.reset();
    return;
  }
  std::string text = DecodeBankFileText(std::move(contents->bytes));
  // A young file is read at every look until it settles; the same text read
  // again keeps its reading.
  if (cache.lines == nullptr || cache.lines->text() != text) {
    thread_local uint64_t readings = 0;
    cache.lines = std::make_shared<const BankFileLines>(std::move(text), ++readings);
  }
  cache.stamp = contents->stamp;
  cache.settled = StampIsSettled(contents->stamp, read_start);
}

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

const std::shared_ptr<const BankFileLines>& CurrentBankFile(const std::string& path,
                                                            uint64_t changes) {
  thread_local Cache cache;
  if (cache.look.Vouches(path, changes)) return cache.lines;
  // A stamp is compared only with one taken of the same path.
  if (cache.look.path() != path) cache.settled = false;
  cache.look.Begin(path, changes);
  LookAtFile(cache, path);
  cache.look.End();
  return cache.lines;
}

const std::shared_ptr<const BankFileLines>& CurrentBankFile() {
  if (const PinnedFiles* pin = ThreadPin()) return pin->bank_file;
  const uint64_t changes = ChangesSoFar();
  return CurrentBankFile(BankFilePath(changes), changes);
}

}  // namespace quandor::bankdir
