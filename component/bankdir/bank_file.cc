#include "bankdir/bank_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <system_error>

#include "bankdir/case_fold.h"

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

[[noreturn]] void ThrowReadError() {
  throw std::system_error(errno, std::generic_category(), "reading the bank code file");
}

// The whole contents of an opened file.
std::string ReadAll(int fd, off_t size_hint) {
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(size_hint) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowReadError();
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  return bytes;
}

struct Cache {
  std::string path;
  FileStamp stamp;
  bool settled = false;
  std::unique_ptr<BankFileLines> lines;  // null: the file could not be opened
};

}  // namespace

BankFileLines::BankFileLines(std::string text)
    : text_(std::move(text)), lines_(SplitLines(text_)) {}

std::string_view BankFileLines::folded_line(std::size_t number) const {
  if (folded_.size() != text_.size()) folded_ = FoldCase(text_);
  return std::string_view(folded_).substr(lines_[number].begin, lines_[number].length);
}

const BankFileLines* CurrentBankFile(const std::string& path) {
  thread_local Cache cache;
  FileStamp stamp;
  if (!StampOf(path.c_str(), stamp)) {
    cache.settled = false;
    cache.lines.reset();
    return nullptr;
  }
  if (cache.settled && stamp == cache.stamp && path == cache.path) return cache.lines.get();

  cache.settled = false;
  cache.lines.reset();
  const timespec read_start = FileClockNow();
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return nullptr;
  // The stamp that counts is the one of the file actually opened.
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) ThrowReadError();
  if (!S_ISREG(st.st_mode)) return nullptr;
  stamp = StampOf(st);
  auto lines = std::make_unique<BankFileLines>(DecodeBankFileText(ReadAll(fd.get(), st.st_size)));
  cache.path = path;
  cache.stamp = stamp;
  cache.settled = StampIsSettled(stamp, read_start);
  cache.lines = std::move(lines);
  return cache.lines.get();
}

}  // namespace quandor::bankdir
