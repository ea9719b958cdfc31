#include "bankdir/bank_data.h"

#include <pthread.h>

#include <atomic>
#include <exception>
#include <optional>
#include <system_error>

#include "bankdir/change_watch.h"
#include "bankdir/clock.h"
#include "bankdir/name_order.h"
#include "bankdir/regular_file.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

// The process's snapshot, and the lock of the one call that may replace it.
struct Published {
  std::mutex mutex;
  std::shared_ptr<const BankData> current;  // guarded by mutex
  // Counts the snapshots published, so that a thread tells without the lock
  // whether it holds the latest; written under the lock.
  std::atomic<uint64_t> generation{0};
  uint64_t readings = 0;  // of the bank code file; guarded by mutex
};

void RenewInChild();

// Never destroyed: threads may end after static destruction.
Published*& PublishedSlot() {
  static Published* published = [] {
    ::pthread_atfork(nullptr, nullptr, RenewInChild);
    return new Published;
  }();
  return published;
}

// In the child of fork(), a thread that no longer exists there may have held
// the lock, in the middle of replacing the snapshot, and the change watch
// starts anew: so does the child's snapshot, at the next call.
void RenewInChild() {
  Published*& slot = PublishedSlot();
  auto* fresh = new Published;  // the old one is left as it is, torn perhaps
  fresh->generation = slot->generation.load() + 1;
  fresh->readings = slot->readings + 1;
  slot = fresh;
}

Published& ThePublished() { return *PublishedSlot(); }

// What a thread owns: the snapshot it answers from, which keeps alive what
// it handed out until its next call, and its pins.
struct ThreadData {
  std::shared_ptr<const BankData> held;
  uint64_t generation = 0;  // of held
  int pins = 0;
  std::shared_ptr<const BankData> pinned;
};

ThreadData& Thread() {
  thread_local ThreadData data;
  return data;
}

// Pinned when nothing could be read, not even for lack of memory.
const std::shared_ptr<const BankData>& NothingRead() noexcept {
  static const BankData nothing = [] {
    BankData data;
    data.bank_file_status = qdBankNumberFileMissing;
    return data;
  }();
  // Owning nothing, so made without allocating.
  static const std::shared_ptr<const BankData> shared(std::shared_ptr<void>(), &nothing);
  return shared;
}

// The rule: whether data still is what the environment, the settings file
// and the bank code file name now, for a call that read env and took changes
// from the watch at its start. Where the watch covers the files, it vouches
// when it counted nothing since before they were looked at; when it counted
// something, a new look follows (and lets it vouch for the calls after).
// Where it cannot tell, each file is looked at (stat) and must be as read.
// A new day may bring a next edition's first day: the days decide anew.
bool StillCurrent(const BankData& data, const Environment& env, uint64_t changes) {
  if (!data.environment.Matches(env) || Now() >= data.day_ends) return false;
  if (data.watched && changes != kCannotTell) return changes == data.mark;
  auto still_so = [](const std::string& path, const FileSeen& seen) {
    return path.empty() || seen.StillSo(path.c_str());
  };
  return still_so(data.settings_path, data.settings.seen) &&
         still_so(data.bank_file_path, data.bank_file_seen) &&
         still_so(data.other_file_path, data.other_file_seen);
}

// The bank code file at data's path as it is now. The reading of previous is
// kept when the file is provably unchanged, or read again with the same text.
void ReadBankFile(BankData& data, const BankData* previous, uint64_t& readings) {
  const std::string& path = data.bank_file_path;
  if (previous != nullptr && previous->bank_file_path == path &&
      previous->bank_file_status != qdUnknownError &&
      previous->bank_file_seen.StillSo(path.c_str())) {
    data.bank_file_seen = previous->bank_file_seen;
    data.bank_file_status = previous->bank_file_status;
    data.bank_file = previous->bank_file;
    return;
  }
  FileStamp stamp;
  if (!StampOf(path.c_str(), stamp)) return;  // absent
  // Unreadable: looked at again at every look.
  data.bank_file_seen = FileSeen{true, stamp, false};
  const timespec read_start = FileClockNow();
  std::optional<RegularFileContents> contents;
  try {
    contents = ReadRegularFile(path.c_str(), kMaxBankFileSize, "reading the bank code file");
  } catch (const std::system_error&) {
    data.bank_file_status = qdUnknownError;
    return;
  }
  if (!contents) return;
  std::string text = DecodeBankFileText(std::move(contents->bytes));
  data.bank_file_seen = FileSeen::Read(contents->stamp, read_start);
  data.bank_file_status = qdNoError;
  if (previous != nullptr && previous->bank_file != nullptr &&
      previous->bank_file->lines().text() == text) {
    data.bank_file = previous->bank_file;
  } else {
    data.bank_file = std::make_shared<const BankReading>(std::move(text), ++readings);
  }
}

// Of the bank code file at data's path and the next edition beside it, the
// one that answers today (NextEditionApplies), read as ReadBankFile reads.
// Editions are told by the files' days, not by their names: the next one
// takes over on its first day without any file being moved.
void ReadEditions(BankData& data, const BankData* previous, uint64_t& readings) {
  const std::string current_path = data.data_path + kBankFileName;
  const std::string next_path = NextBankFileName(current_path);
  auto read = [&](const std::string& path) {
    data.bank_file_path = path;
    data.bank_file_seen = FileSeen::Absent();
    data.bank_file_status = qdBankNumberFileMissing;
    data.bank_file = nullptr;
    ReadBankFile(data, previous, readings);
    data.edition = data.bank_file != nullptr
                       ? ReadEditionBeside(path, data.bank_file->lines().text())
                       : Edition{};
  };
  read(next_path);
  const BankData next = data;
  read(current_path);
  const std::time_t now = Now();
  const Day today = DayOf(now);
  data.day_ends = StartOf(today + std::chrono::days(1));
  if (NextEditionApplies(data.edition, next.edition, today)) {
    data.other_file_path = current_path;
    data.other_file_seen = data.bank_file_seen;
    data.bank_file_path = next.bank_file_path;
    data.bank_file_seen = next.bank_file_seen;
    data.bank_file_status = next.bank_file_status;
    data.bank_file = next.bank_file;
    data.edition = next.edition;
    return;
  }
  data.other_file_path = next_path;
  data.other_file_seen = next.bank_file_seen;
  if (next.edition.valid_from && *next.edition.valid_from > today) {
    data.next_valid_from = next.edition.valid_from;
  }
}

// A snapshot of the environment and the files as they are now, for a call
// that took changes from the watch before; what previous read is kept where
// it stays true.
std::shared_ptr<const BankData> Look(const BankData* previous, const Environment& env,
                                     uint64_t changes, uint64_t& readings) {
  auto data = std::make_shared<BankData>();
  data->environment = EnvironmentSeen(env);
  data->mark = changes;
  // Each path is watched before its file is looked at.
  bool watched = true;
  data->settings_path = SettingsFilePath(env);
  if (!data->settings_path.empty()) {
    watched = WatchPath(data->settings_path) && watched;
    const bool same = previous != nullptr && previous->settings_path == data->settings_path;
    data->settings = ReadSettings(data->settings_path, same ? &previous->settings : nullptr);
  } else {
    data->settings.seen = FileSeen::Absent();
  }
  data->data_path = DataPathOf(env, data->settings_path, data->settings.settings);
  data->chosen_rules = ChosenRulesOf(env, data->settings.settings);
  data->bank_file_seen = FileSeen::Absent();
  data->bank_file_status = qdBankNumberFileMissing;
  if (!data->data_path.empty()) {
    const std::string current_path = data->data_path + kBankFileName;
    watched = WatchPath(current_path) && watched;
    watched = WatchPath(NextBankFileName(current_path)) && watched;
    ReadEditions(*data, previous, readings);
  }
  // A reading that failed is tried again by the next call.
  data->watched = watched && data->bank_file_status != qdUnknownError;
  return data;
}

void Take(ThreadData& thread, const Published& shared) {
  thread.held = shared.current;
  thread.generation = shared.generation.load(std::memory_order_relaxed);
}

// The slow way, one call at a time, for a call that began when the
// generation was started. A snapshot published since then by a look that
// began after the call began answers for it too (the lock orders the looks:
// the look after the next one began after that one was published), as does
// one that the watch vouches for now; otherwise a new look.
const std::shared_ptr<const BankData>& Refresh(ThreadData& thread, const Environment& env,
                                               uint64_t started) {
  Published& shared = ThePublished();
  std::lock_guard lock(shared.mutex);
  const uint64_t changes = ChangesSoFar();
  const BankData* current = shared.current.get();
  const bool looked_since = shared.generation.load(std::memory_order_relaxed) >= started + 2;
  if (current == nullptr ||
      !(looked_since ? current->environment.Matches(env) : StillCurrent(*current, env, changes))) {
    shared.current = Look(current, env, changes, shared.readings);
    shared.generation.fetch_add(1, std::memory_order_release);
  }
  Take(thread, shared);
  return thread.held;
}

}  // namespace

BankReading::BankReading(std::string text, uint64_t number)
    : number_(number), lines_(std::move(text)), index_(BankIndex::Of(lines_)) {}

const std::vector<uint32_t>& BankReading::name_ranks() const {
  std::call_once(ranking_, [this] { name_ranks_ = NameRanks(lines_); });
  return name_ranks_;
}

const std::shared_ptr<const BankData>& CurrentBankData() {
  ThreadData& thread = Thread();
  if (thread.pins > 0) return thread.pinned;
  const Environment env = ReadEnvironment();
  const uint64_t changes = ChangesSoFar();
  Published& shared = ThePublished();
  const uint64_t started = shared.generation.load(std::memory_order_acquire);
  if (thread.generation != started) [[unlikely]] {
    std::lock_guard lock(shared.mutex);
    Take(thread, shared);
  }
  if (thread.held != nullptr && StillCurrent(*thread.held, env, changes)) [[likely]]
    return thread.held;
  return Refresh(thread, env, started);
}

void PinThread() noexcept {
  ThreadData& thread = Thread();
  if (thread.pins == 0) {
    try {
      thread.pinned = CurrentBankData();
    } catch (const std::exception&) {
      thread.pinned = NothingRead();
    }
  }
  ++thread.pins;
}

bool UnpinThread() noexcept {
  ThreadData& thread = Thread();
  if (thread.pins == 0) return false;
  if (--thread.pins == 0) {
    // Held until the next call, as anything taken from it during the pin
    // may still be in use; that call takes the latest snapshot.
    thread.held = std::move(thread.pinned);
    thread.generation = ~uint64_t{0};
  }
  return true;
}

bool ThreadIsPinned() noexcept { return Thread().pins > 0; }

}  // namespace quandor::bankdir
