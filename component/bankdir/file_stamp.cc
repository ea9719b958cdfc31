#include "bankdir/file_stamp.h"

#include <sys/stat.h>

namespace quandor::bankdir {
namespace {

constexpr int64_t kNanosPerSecond = 1'000'000'000;
// Well above the coarsest tick of the kernel's file time clock (10 ms at HZ=100).
constexpr int64_t kFileClockResolutionNanos = 50'000'000;
// A time of whole seconds comes from a file system that keeps no more
// (ext2/ext3 with small inodes: 1 s; FAT: 2 s), or by a chance of one in a
// billion from a fine one. Either way it is taken as the coarsest of these.
constexpr int64_t kCoarseResolutionNanos = 2 * kNanosPerSecond + kFileClockResolutionNanos;

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
  // A later change shows in the stamp once the clock has left the time's
  // tick; until then the same time may stand for other contents.
  auto settled = [&](const timespec& time) {
    const int64_t resolution =
        time.tv_nsec == 0 ? kCoarseResolutionNanos : kFileClockResolutionNanos;
    return ToNanos(time) < ToNanos(read_start) - resolution;
  };
  return settled(stamp.modified) && settled(stamp.changed);
}

bool FileSeen::StillSo(const char* path) const {
  FileStamp now;
  if (!StampOf(path, now)) return !present;
  return present && settled && now == stamp;
}

}  // namespace quandor::bankdir
