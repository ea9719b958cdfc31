// Buffered, allocation-free (after warm-up) reading and writing of large
// text streams for the batch modes. Everything works on file descriptors so
// that memory stays bounded by the buffer sizes, whatever the input's size.
#ifndef QUANDOR_CHECK_STREAM_IO_H_
#define QUANDOR_CHECK_STREAM_IO_H_

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quandor_check {

// A window onto a file descriptor: data() .. data()+size() are the bytes
// read and not yet consumed. Refill() keeps the unconsumed bytes and appends
// more, growing the buffer up to max_size.
class ChunkReader {
 public:
  // Does not own fd. chunk_size is the size of one read; small values are
  // for tests that exercise the buffer boundaries.
  ChunkReader(int fd, std::size_t chunk_size, std::size_t max_size);

  const char* data() const { return buffer_.data() + begin_; }
  std::size_t size() const { return end_ - begin_; }
  bool at_eof() const { return eof_; }
  bool failed() const { return failed_; }
  // errno of a failed read.
  int error() const { return error_; }
  // Total bytes consumed since the start; with the file's size this gives progress.
  std::uint64_t consumed() const { return consumed_; }
  void Consume(std::size_t n);

  // Reads more data behind the unconsumed bytes. Returns false when nothing
  // could be added: end of input, a read error, or the buffer already holds
  // max_size unconsumed bytes (check full()).
  bool Refill();
  bool full() const { return size() >= max_size_; }

 private:
  int fd_;
  std::size_t chunk_size_;
  std::size_t max_size_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t consumed_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  int error_ = 0;
};

// Splits a stream into lines. CR LF, LF and CR alone each end a line, as in
// the bank code file. A line longer than max_line is cut there; the rest of
// it up to its line end is skipped and the line reports truncated().
class LineReader {
 public:
  static constexpr std::size_t kDefaultChunk = 1 << 20;
  static constexpr std::size_t kDefaultMaxLine = 1 << 20;

  explicit LineReader(int fd, std::size_t chunk_size = kDefaultChunk,
                      std::size_t max_line = kDefaultMaxLine);

  // The next line without its line end; valid until the next call. False at
  // the end of input or on a read error (see failed()).
  bool Next(std::string_view& line);
  bool truncated() const { return truncated_; }
  bool failed() const { return reader_.failed(); }
  int error() const { return reader_.error(); }
  std::uint64_t consumed() const { return reader_.consumed(); }

 private:
  void SkipRestOfLine();

  ChunkReader reader_;
  std::size_t max_line_;
  std::size_t pending_ = 0;  // bytes of the last line still to consume
  bool skip_lf_ = false;     // the last line ended in CR: an LF right after belongs to it
  bool skipping_ = false;    // the last line was cut: skip the rest of it first
  bool truncated_ = false;
};

// Collects output and writes it in large blocks. Write errors (a full disk,
// a closed pipe) are remembered and reported by ok()/error().
//
// The sink made last and still alive is the run's output: a message on
// standard error during the run calls FlushActive() first, so that output
// and messages keep their order when both go to one place.
class OutputSink {
 public:
  explicit OutputSink(int fd, std::size_t flush_at = 1 << 18);
  ~OutputSink();
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;

  // The buffer to append to; call MaybeFlush() after each record.
  std::string& buffer() { return buffer_; }
  void MaybeFlush() {
    if (buffer_.size() >= flush_at_) Flush();
  }
  bool Flush();
  bool ok() const { return error_ == 0; }
  int error() const { return error_; }
  static void FlushActive();

 private:
  static OutputSink* active_;
  OutputSink* outer_;
  int fd_;
  std::size_t flush_at_;
  std::string buffer_;
  int error_ = 0;
};

// Appends the decimal form of n.
inline void AppendNumber(std::string& out, std::int64_t n) {
  if (n >= 0 && n < 10) {
    out.push_back(static_cast<char>('0' + n));
    return;
  }
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, n);
  out.append(digits, result.ptr);
}

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_STREAM_IO_H_
