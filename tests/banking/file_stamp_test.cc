#include "bankdir/file_stamp.h"

#include <gtest/gtest.h>

namespace quandor::bankdir {
namespace {

// Mended: a time of whole seconds (ext2/ext3 with small inodes, FAT) was
// trusted 50 ms after it, so a same-size rewrite later in the same second
// or two went unseen for good.
TEST(FileStamp, TrustedOnlyOnceOlderThanItsResolution) {
  struct Case {
    timespec modified, changed, read_start;
    bool settled;
  };
  const Case cases[] = {
      {{100, 500'000'000}, {100, 500'000'001}, {100, 600'000'000}, true},
      {{100, 500'000'000}, {100, 500'000'001}, {100, 520'000'000}, false},
      {{100, 0}, {100, 0}, {100, 900'000'000}, false},
      {{100, 0}, {100, 0}, {101, 500'000'000}, false},
      {{100, 0}, {100, 0}, {102, 10'000'000}, false},
      {{100, 0}, {100, 0}, {102, 100'000'000}, true},
      {{100, 0}, {101, 900'000'000}, {102, 100'000'000}, true},  // touched to a whole second
      {{100, 500'000'000}, {100, 0}, {101, 0}, false},
  };
  for (const Case& c : cases) {
    FileStamp stamp;
    stamp.modified = c.modified;
    stamp.changed = c.changed;
    EXPECT_EQ(StampIsSettled(stamp, c.read_start), c.settled)
        << c.modified.tv_sec << '.' << c.modified.tv_nsec << ' ' << c.changed.tv_sec << '.'
        << c.changed.tv_nsec << " read at " << c.read_start.tv_sec << '.' << c.read_start.tv_nsec;
  }
}

}  // namespace
}  // namespace quandor::bankdir
