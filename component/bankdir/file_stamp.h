// The identity of a file as the file system reports it, so that a copy of its
// contents can be reused for as long as the file is provably unchanged, at
// the cost of one stat() per use.
#ifndef QUANDOR_BANKDIR_FILE_STAMP_H_
#define QUANDOR_BANKDIR_FILE_STAMP_H_

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <ctime>

namespace quandor::bankdir {

struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};  // contents changed
  timespec changed{};   // contents or metadata (permissions, owner, links) changed

  bool operator==(const FileStamp& other) const;
};

FileStamp StampOf(const struct stat& st);

// The stamp of the regular file at path (symbolic links followed), or false
// when there is none: missing, not a regular file, or a directory on the way
// that cannot be searched.
bool StampOf(const char* path, FileStamp& stamp);

// The current time in the clock that file times are taken from.
timespec FileClockNow();

// Whether contents read from a file with this stamp, starting at read_start,
// are the contents that the stamp belongs to for good. A file modified shortly
// before it was read may be modified again within the same tick of the file
// system's clock, leaving size and times as they were; its copy must not be
// trusted, so it is read again at the next use, until the file is older than
// the clock's resolution: 2 s for a time of whole seconds (file systems with
// second or two-second stamps), a few hundredths of a second otherwise.
bool StampIsSettled(const FileStamp& stamp, const timespec& read_start);

// What a reading saw of the file at its path: whether a regular file was
// there, its stamp, and whether what was read belongs to that stamp for good.
struct FileSeen {
  bool present = false;
  FileStamp stamp;
  bool settled = false;

  // Seen absent (no regular file there); the same later while it stays so.
  static FileSeen Absent() { return FileSeen{false, {}, true}; }
  // Read, starting at read_start, from a file of this stamp.
  static FileSeen Read(const FileStamp& stamp, const timespec& read_start) {
    return FileSeen{true, stamp, StampIsSettled(stamp, read_start)};
  }

  // Whether a look at path now (one stat) finds what was seen: still no
  // file, or a file of the same settled stamp.
  bool StillSo(const char* path) const;
};

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_FILE_STAMP_H_
