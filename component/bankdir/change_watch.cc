#include "bankdir/change_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/epoll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quandor::bankdir {
namespace {

// On each directory of a path: the next component's creation, deletion or
// rename in or out (these carry its name), a change of the directory's
// permissions, the directory's own rename or deletion.
constexpr uint32_t kDirectoryEvents =
    IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// On the file: its contents, its metadata, its rename or deletion.
constexpr uint32_t kFileEvents =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
// The events without a name, about a watched object itself, that count; the
// last two the kernel sends unasked when the watch ends.
constexpr uint32_t kSelfEvents = kFileEvents | IN_UNMOUNT | IN_IGNORED;

// A bound on the reads of one look at a queue that keeps filling.
constexpr int kMaxReadsPerLook = 16;

// File systems whose every change, wherever it is made, passes this kernel's
// file layer and so raises its events (statfs f_type).
bool IsLocalFileSystem(long type) {
  switch (static_cast<uint32_t>(type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
    case 0x01021994:  // tmpfs
    case 0x858458F6:  // ramfs
    case 0x794C7630:  // overlayfs
    case 0xF2F52010:  // f2fs
    case 0xCA451A4E:  // bcachefs
    case 0x2FC12FC1:  // zfs
    case 0x3153464A:  // jfs
    case 0x52654973:  // reiserfs
    case 0x73717368:  // squashfs
    case 0xE0F5E1E2:  // erofs
    case 0x00009660:  // iso9660
    case 0x00004D44:  // vfat
    case 0x2011BAB0:  // exfat
      return true;
    default:
      return false;
  }
}

bool OnLocalFileSystem(const char* path) {
  struct statfs fs {};
  return ::statfs(path, &fs) == 0 && IsLocalFileSystem(fs.f_type);
}

// One object watched for a path: a directory on it with the name of the next
// component, or the file itself (no name).
struct Step {
  int wd;
  std::string next;
};

struct WatchedPath {
  std::string path;
  std::vector<Step> steps;
};

// A thread's look at the queue and at its mount table: an epoll instance
// with both, which answers "nothing new" without asking either.
struct ThreadLook {
  int epoll = -1;
  int mounts = -1;
  uint64_t fork_epoch = 0;  // descriptors opened before a fork were closed in the child
  ~ThreadLook();
};

struct State {
  std::atomic<int> inotify{-1};
  // Starts above kCannotTell; 64 bits do not wrap.
  std::atomic<uint64_t> changes{1};
  // Threads between taking events out of the queue and counting them.
  std::atomic<uint32_t> draining{0};
  std::atomic<bool> overflowed{false};
  std::atomic<uint64_t> fork_epoch{0};

  std::mutex mutex;  // guards the members below
  // The process's own look at the mount table, made with the instance and
  // asked only when a thread opens its look: the mounts that the new look
  // cannot notice.
  int mounts = -1;
  std::vector<WatchedPath> paths;                           // the most recently watched first
  std::unordered_map<int, std::vector<std::string>> names;  // wd -> next components that count
  std::vector<ThreadLook*> looks;
};

// Never destroyed: threads may end after static destruction.
State& TheState() {
  static State* const state = new State;
  return *state;
}

void Close(ThreadLook& look) {
  if (look.mounts >= 0) ::close(look.mounts);
  if (look.epoll >= 0) ::close(look.epoll);
  look.mounts = look.epoll = -1;
}

ThreadLook::~ThreadLook() {
  if (epoll < 0) return;
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  if (fork_epoch != state.fork_epoch.load()) return;  // closed in the child, the numbers reused
  Close(*this);
  std::erase(state.looks, this);
}

constexpr uint64_t kQueueTag = 0;
constexpr uint64_t kMountsTag = 1;

bool OpenLook(State& state, ThreadLook& look, int inotify) {
  std::lock_guard lock(state.mutex);
  const uint64_t epoch = state.fork_epoch.load();
  if (look.fork_epoch != epoch) {
    look.epoll = look.mounts = -1;
    look.fork_epoch = epoch;
  }
  if (look.epoll >= 0) return true;
  look.mounts = ::open("/proc/thread-self/mountinfo", O_RDONLY | O_CLOEXEC);
  look.epoll = ::epoll_create1(EPOLL_CLOEXEC);
  epoll_event queue{EPOLLIN, {.u64 = kQueueTag}};
  epoll_event mounts{EPOLLPRI, {.u64 = kMountsTag}};
  if (look.mounts < 0 || look.epoll < 0 ||
      ::epoll_ctl(look.epoll, EPOLL_CTL_ADD, inotify, &queue) != 0 ||
      ::epoll_ctl(look.epoll, EPOLL_CTL_ADD, look.mounts, &mounts) != 0) {
    Close(look);
    return false;
  }
  state.looks.push_back(&look);
  // A mount made before the look was opened is not noticed by it; the
  // process's look has noticed it since the last thread opened one.
  pollfd table{state.mounts, POLLPRI, 0};
  if (state.mounts < 0 || ::poll(&table, 1, 0) != 0) state.changes.fetch_add(1);
  return true;
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Counts the events in buffer that concern a watched path: one step for all.
void CountRelevant(State& state, const char* buffer, std::size_t size) {
  bool relevant = false;
  bool overflow = false;
  std::lock_guard lock(state.mutex);
  for (std::size_t at = 0; at + sizeof(inotify_event) <= size;) {
    inotify_event event;
    std::memcpy(&event, buffer + at, sizeof event);
    const char* name = buffer + at + sizeof event;
    at += sizeof event + event.len;
    if ((event.mask & IN_Q_OVERFLOW) != 0) {
      overflow = true;
      continue;
    }
    const auto watch = state.names.find(event.wd);
    if (watch == state.names.end()) continue;  // removed, counted then
    const std::string_view child(name, ::strnlen(name, event.len));
    if (child.empty() ? (event.mask & kSelfEvents) == 0 : !Contains(watch->second, child)) continue;
    relevant = true;
  }
  if (overflow) state.overflowed.store(true);
  if (relevant || overflow) state.changes.fetch_add(1);
}

// Takes every event out of the queue; false when it kept filling or failed.
bool TakeEvents(State& state, int fd) {
  alignas(inotify_event) char buffer[4096];
  for (int reads = 0; reads < kMaxReadsPerLook; ++reads) {
    const ssize_t size = ::read(fd, buffer, sizeof buffer);
    if (size < 0) {
      if (errno == EINTR) continue;
      return errno == EAGAIN;
    }
    CountRelevant(state, buffer, static_cast<std::size_t>(size));
  }
  return false;
}

// Another thread that finds the queue empty while this one holds events it has
// not counted yet sees draining above zero and cannot tell.
uint64_t Drain(State& state, int fd) {
  state.draining.fetch_add(1);
  const bool whole = TakeEvents(state, fd);
  const uint32_t others = state.draining.fetch_sub(1) - 1;
  if (!whole || others != 0 || state.overflowed.load()) return kCannotTell;
  return state.changes.load();
}

// path without duplicate and trailing slashes; false for a relative path or a
// "." or ".." component, which a watch from "/" down cannot follow.
bool Normalise(std::string_view path, std::string& normal) {
  if (path.empty() || path.front() != '/') return false;
  normal.assign(1, '/');
  std::size_t at = 0;
  while (at < path.size()) {
    const std::size_t end = std::min(path.find('/', at), path.size());
    const std::string_view component = path.substr(at, end - at);
    at = end + 1;
    if (component.empty()) continue;
    if (component == "." || component == "..") return false;
    if (normal.size() > 1) normal += '/';
    normal += component;
  }
  return true;
}

// Watches the objects of path from "/" down, each directory before the look
// at its next component, so that a change between the look and the watch is
// seen by the directory's watch. Every watch set goes into set, also on failure.
bool Resolve(int fd, const std::string& path, std::vector<Step>& steps, std::vector<int>& set) {
  steps.clear();
  struct stat st {};
  if (::lstat("/", &st) != 0 || !OnLocalFileSystem("/")) return false;
  std::string object = "/";
  std::size_t at = 1;
  while (true) {
    if (at >= path.size()) {
      const int wd =
          ::inotify_add_watch(fd, object.c_str(), kFileEvents | IN_DONT_FOLLOW | IN_MASK_ADD);
      if (wd < 0) return false;
      set.push_back(wd);
      steps.push_back({wd, {}});
      return true;
    }
    // A file in the middle leads nowhere until it is replaced, and its
    // directory's watch sees that.
    if (!S_ISDIR(st.st_mode)) return true;
    const std::size_t end = std::min(path.find('/', at), path.size());
    const int wd = ::inotify_add_watch(
        fd, object.c_str(), kDirectoryEvents | IN_ONLYDIR | IN_DONT_FOLLOW | IN_MASK_ADD);
    if (wd < 0) return false;
    set.push_back(wd);
    steps.push_back({wd, path.substr(at, end - at)});
    const dev_t device = st.st_dev;
    object = path.substr(0, end);
    at = end + 1;
    if (::lstat(object.c_str(), &st) != 0) return errno == ENOENT;  // its creation is seen
    if (S_ISLNK(st.st_mode)) return false;
    if (st.st_dev != device && !OnLocalFileSystem(object.c_str())) return false;
  }
}

void LockForFork() { TheState().mutex.lock(); }

void UnlockInParent() { TheState().mutex.unlock(); }

// The child must not take its parent's events, nor its notices of mounts.
void ResetInChild() {
  State& state = TheState();
  const int fd = state.inotify.exchange(-1);
  if (fd >= 0) ::close(fd);
  for (ThreadLook* look : state.looks) {
    ::close(look->mounts);
    ::close(look->epoll);
  }
  state.looks.clear();
  if (state.mounts >= 0) ::close(state.mounts);
  state.mounts = -1;
  state.fork_epoch.fetch_add(1);
  state.draining.store(0);
  state.overflowed.store(false);
  state.changes.fetch_add(1);
  state.mutex.unlock();
}

// The instance, created at the first watch; its table starts empty.
int Instance(State& state) {
  int fd = state.inotify.load();
  if (fd >= 0) return fd;
  fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return -1;
  static std::once_flag fork_handlers;
  std::call_once(fork_handlers,
                 [] { ::pthread_atfork(LockForFork, UnlockInParent, ResetInChild); });
  state.paths.clear();
  state.names.clear();
  state.overflowed.store(false);
  if (state.mounts < 0) state.mounts = ::open("/proc/thread-self/mountinfo", O_RDONLY | O_CLOEXEC);
  state.inotify.store(fd);
  return fd;
}

}  // namespace

uint64_t ChangesSoFar() {
  State& state = TheState();
  const int fd = state.inotify.load();
  if (fd < 0) return kCannotTell;
  thread_local ThreadLook look;
  if ((look.epoll < 0 || look.fork_epoch != state.fork_epoch.load(std::memory_order_relaxed)) &&
      !OpenLook(state, look, fd)) {
    return kCannotTell;
  }
  epoll_event ready[2];
  const int count = ::epoll_wait(look.epoll, ready, 2, 0);
  if (count < 0) return kCannotTell;
  bool queued = false;
  for (int i = 0; i < count; ++i) {
    // Only this thread looks at its mount table, so no other can take this notice.
    if (ready[i].data.u64 == kMountsTag) state.changes.fetch_add(1);
    queued |= ready[i].data.u64 == kQueueTag;
  }
  if (queued) return Drain(state, fd);
  // An empty queue: whoever took the events out is still counting them, or
  // has counted them.
  if (state.draining.load() != 0 || state.overflowed.load()) return kCannotTell;
  return state.changes.load();
}

bool WatchPath(const std::string& path) {
  std::string normal;
  if (!Normalise(path, normal)) return false;
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  const int fd = Instance(state);
  if (fd < 0) return false;
  // After an overflow every path is looked up again: its events were lost.
  const bool again = state.overflowed.load();
  std::vector<int> set;
  std::vector<WatchedPath> paths;
  WatchedPath watched{normal, {}};
  const bool watching = Resolve(fd, normal, watched.steps, set);
  if (watching) paths.push_back(std::move(watched));
  // A path pushed off the list is no longer watched, even where its
  // directories stay watched for other paths: whoever relied on it must look.
  bool dropped = false;
  for (WatchedPath& old : state.paths) {
    if (old.path == normal) continue;
    if (paths.size() == kMaxWatchedPaths || (again && !Resolve(fd, old.path, old.steps, set))) {
      dropped = true;
      continue;
    }
    paths.push_back(std::move(old));
  }
  state.paths = std::move(paths);
  state.overflowed.store(false);

  std::unordered_map<int, std::vector<std::string>> names;
  for (const WatchedPath& watched_path : state.paths) {
    for (const Step& step : watched_path.steps) {
      std::vector<std::string>& next = names[step.wd];
      if (!step.next.empty() && !Contains(next, step.next)) next.push_back(step.next);
    }
  }
  for (const auto& [wd, next] : state.names) {
    if (names.contains(wd)) continue;
    ::inotify_rm_watch(fd, wd);
    dropped = true;
  }
  for (const int wd : set) {
    if (!names.contains(wd) && !state.names.contains(wd)) ::inotify_rm_watch(fd, wd);
  }
  state.names = std::move(names);
  if (dropped) state.changes.fetch_add(1);
  return watching;
}

}  // namespace quandor::bankdir
