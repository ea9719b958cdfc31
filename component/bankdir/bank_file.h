// The bank code file's lines, read once and kept per thread for as long as
// the file is unchanged.
//
// Every lookup must see the file as it is now: a deleted, replaced,
// truncated or unreadable file at once. Reading the file at every lookup would
// cost far more than the lookup itself, so each thread keeps the decoded
// lines of its last reading together with the file's stamp (device, inode,
// size, modification and status-change time) and reuses them while the
// change watch (change_watch.h) vouches that nothing on the file's path
// changed, or, where it cannot, while a stat() of the file gives the same
// stamp. A write, a replacement or a truncation
// changes the stamp; so does a change of permissions (the status-change
// time), after which the file is opened again and found unreadable if it is.
// A reading that gives the same text as the one before is no new reading, so
// what is built from a reading (the bank index) is built once per change.
#ifndef QUANDOR_BANKDIR_BANK_FILE_H_
#define QUANDOR_BANKDIR_BANK_FILE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bankdir/file_stamp.h"
#include "bankdir/text_decoding.h"

namespace quandor::bankdir {

// The largest bank code file read, far beyond any real edition (the full
// Bundesbank file is about 3 MB); a larger file is taken as missing, unread.
inline constexpr std::size_t kMaxBankFileSize = std::size_t{64} << 20;

// One reading of the file, decoded to UTF-8.
class BankFileLines {
 public:
  BankFileLines(std::string text, uint64_t reading);

  // Tells this reading from the thread's other readings of the file.
  uint64_t reading() const { return reading_; }
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
  uint64_t reading_;
  mutable std::string folded_;  // made at the first case-insensitive search
};

// The calling thread's reading of the file at path, for an operation that
// took changes from ChangesSoFar() at its start (change_watch.h). The file
// is looked at again (stat) unless the watch vouches that nothing on its path
// changed since the last look, and read again when its stamp changed. Only
// for an unpinned thread: a pinned one takes no changes. Null
// when the file cannot be opened, is no regular file or is larger than
// kMaxBankFileSize. Throws std::system_error when reading an opened file
// fails. The reference stays valid until the thread's next call; a copy
// keeps the reading alive.
const std::shared_ptr<const BankFileLines>& CurrentBankFile(const std::string& path,
                                                            uint64_t changes);

// The same for the bank code file wherever the data path puts it now
// (data_path.h), with one look at what changed for both: the operation that
// every lookup and search starts with. On a pinned thread (thread_pin.h) the
// pinned reading, without any system call.
const std::shared_ptr<const BankFileLines>& CurrentBankFile();

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_BANK_FILE_H_
