// Reading a whole regular file from an opened descriptor, so that what is
// checked (type, size, stamp) is what is read: a name may be swapped for a
// FIFO, a device or a huge file between a look at it and the open.
#ifndef QUANDOR_BANKDIR_REGULAR_FILE_H_
#define QUANDOR_BANKDIR_REGULAR_FILE_H_

#include <cstddef>
#include <optional>
#include <string>

#include "bankdir/file_stamp.h"

namespace quandor::bankdir {

struct RegularFileContents {
  std::string bytes;
  FileStamp stamp;  // of the file opened, taken before reading it
};

// The contents of the file at path, or nothing when it cannot be opened, is
// no regular file, or holds more than max_size bytes (checked before reading
// and again while reading, for a file that grows). Never blocks on a FIFO.
// Throws std::system_error, naming what, when reading an opened file fails.
std::optional<RegularFileContents> ReadRegularFile(const char* path, std::size_t max_size,
                                                   const char* what);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_REGULAR_FILE_H_
