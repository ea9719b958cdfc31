#include "bankdir/file_stamp.h"

#include <sys/stat.h>

namespace quandor::bankdir {
namespace {

constexpr int64_t kNanosPerSecond = 1'000'000'000;
// Well above the coarsest tick of the kernel's file time clock (10 ms at HZ=100).
constexpr int64_t kFileClockResolutionNanos = 50'000'000;

int64_t ToNanos(const timespec& t) {
  return static_cast<int64_t>(t.tv_sec) * kNanosPerSecond + static_cast<int64_t>(t.tv_nsec);
}

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

bool FileStamp::operator==(const FileStamp& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         SameTime(modified, other.modified) && SameTime(changed, other.changed);
}

FileStamp StampOf(const struct stat& st) {
  return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

bool StampOf(const char* path, FileStamp& stamp) {
  struct stat st {};
  if (::stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp = StampOf(st);
  return true;
}

timespec FileClockNow() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

bool StampIsSettled(const FileStamp& stamp, const timespec& read_start) {
  const int64_t settled_before = ToNanos(read_start) - kFileClockResolutionNanos;
  return ToNanos(stamp.modified) < settled_before && ToNanos(stamp.changed) < settled_before;
}

}  // namespace quandor::bankdir
