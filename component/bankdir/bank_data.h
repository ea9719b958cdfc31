// The bank data that every lookup and search answers from: one immutable
// snapshot per process, shared by all threads.
//
// A snapshot holds what the environment and the settings file name (the data
// path, the default rules) and one reading of the bank code file there, with
// its index and, made when a text search first needs them, the name ranks.
// Each call takes the snapshot once at its start and answers from it alone.
// When the files or the environment changed, the first call to notice reads
// them once for the process; calls at the same time wait for it and take its
// snapshot. What a reading holds is kept where it stays true: a change of
// the settings alone keeps the reading of the bank code file, and a file
// read again with the same text keeps its reading and index.
//
// Freshness: a change made before a call begins is seen by that call, in
// any thread, and so is the start of a new day, on which a next edition may
// take over (see StillCurrent in bank_data.cc, the one place that decides
// it). The change watch (change_watch.h) vouches for a snapshot at the cost
// of one epoll_wait(); where it cannot, each file is looked at (stat).
//
// A thread may pin the snapshot (quandor/bank_file_pin.h): while pinned it
// answers from the pinned snapshot without any system call.
#ifndef QUANDOR_BANKDIR_BANK_DATA_H_
#define QUANDOR_BANKDIR_BANK_DATA_H_

#include <cstdint>
#include <ctime>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "bankdir/bank_file.h"
#include "bankdir/bank_index.h"
#include "bankdir/edition.h"
#include "bankdir/file_stamp.h"
#include "bankdir/settings.h"

namespace quandor::bankdir {

// One reading of the bank code file and what is built from it.
class BankReading {
 public:
  BankReading(std::string text, uint64_t number);

  // Tells the process's readings apart: a later reading has a greater number.
  uint64_t number() const { return number_; }
  const BankFileLines& lines() const { return lines_; }
  const BankIndex& index() const { return index_; }
  // See NameRanks (name_order.h); made at the first call.
  const std::vector<uint32_t>& name_ranks() const;

 private:
  uint64_t number_;
  BankFileLines lines_;
  BankIndex index_;
  mutable std::once_flag ranking_;
  mutable std::vector<uint32_t> name_ranks_;
};

struct BankData {
  // What it was read from: the environment, the settings file.
  EnvironmentSeen environment;
  std::string settings_path;  // empty: no settings file placed
  SettingsReading settings;

  // What they name.
  std::string data_path;                // ends in "/"; empty when the settings were refused
  std::string bank_file_path;           // empty likewise
  std::optional<int32_t> chosen_rules;  // ChosenRulesOf

  // The bank code file there that answers: "blz.txt", or the next edition
  // "blz.next.txt" beside it from its first day on (edition.h). The status is
  // what a lookup answers without a reading: qdBankNumberFileMissing (cannot
  // be opened, no regular file, too large) or qdUnknownError (reading it
  // failed); qdNoError with one.
  FileSeen bank_file_seen;
  int32_t bank_file_status = 0;
  std::shared_ptr<const BankReading> bank_file;
  Edition edition;  // of the file that answers; unknown without one

  // The other file of the two, looked at as the one that answers: a change
  // of either may change which answers. A next edition that waits for its
  // day, and the end of the day this snapshot was made for: from then on
  // the days decide anew.
  std::string other_file_path;
  FileSeen other_file_seen;
  std::optional<Day> next_valid_from;
  std::time_t day_ends = std::numeric_limits<std::time_t>::max();

  // The change watch's count taken before the files were looked at
  // (kCannotTell: none), and whether the watch covers both paths: then an
  // equal count vouches.
  uint64_t mark = 0;
  bool watched = false;
};

// The snapshot for an operation of the calling thread: its pinned one, or the
// process's, brought up to the environment and files as they are now. It
// stays alive until the thread's next call, and so does everything taken
// from it. Throws what allocation throws.
const std::shared_ptr<const BankData>& CurrentBankData();

// Adds a pin to the calling thread; the first takes the snapshot as it is
// now. Never throws: when nothing can be read, the pin holds nothing read.
void PinThread() noexcept;
// Ends one of the calling thread's pins; false when it holds none.
bool UnpinThread() noexcept;
bool ThreadIsPinned() noexcept;

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_BANK_DATA_H_
