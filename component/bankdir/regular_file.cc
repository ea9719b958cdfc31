#include "bankdir/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace quandor::bankdir {
namespace {

// Closes the descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads until the end of the file; false as soon as it holds more than
// max_size bytes.
bool ReadAll(int fd, std::size_t size_hint, std::size_t max_size, std::string& bytes,
             const char* what) {
  const std::size_t limit = max_size + 1;  // one byte more tells a file that grew
  bytes.resize(std::min(size_hint + 1, limit));
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) {
      if (used == limit) return false;
      bytes.resize(std::min(bytes.size() * 2, limit));
    }
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), what);
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  return true;
}

}  // namespace

std::optional<RegularFileContents> ReadRegularFile(const char* path, std::size_t max_size,
                                                   const char* what) {
  // Without O_NONBLOCK the open of a FIFO waits for a writer, forever.
  FileDescriptor fd(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw std::system_error(errno, std::generic_category(), what);
  if (!S_ISREG(st.st_mode) || st.st_size < 0 || static_cast<uint64_t>(st.st_size) > max_size) {
    return std::nullopt;
  }
  RegularFileContents contents;
  contents.stamp = StampOf(st);
  if (!ReadAll(fd.get(), static_cast<std::size_t>(st.st_size), max_size, contents.bytes, what)) {
    return std::nullopt;
  }
  return contents;
}

}  // namespace quandor::bankdir
