#include "stream_io.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quandor_check {

ChunkReader::ChunkReader(int fd, std::size_t chunk_size, std::size_t max_size)
    : fd_(fd), chunk_size_(std::max<std::size_t>(chunk_size, 1)), max_size_(max_size) {}

void ChunkReader::Consume(std::size_t n) {
  begin_ += n;
  consumed_ += n;
}

bool ChunkReader::Refill() {
  if (eof_ || failed_) return false;
  const std::size_t live = end_ - begin_;
  if (live >= max_size_) return false;
  // Moving the unconsumed tail to the front keeps the buffer at one chunk plus
  // one partial record, however long the input is.
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, live);
    begin_ = 0;
    end_ = live;
  }
  const std::size_t want = std::min(chunk_size_, max_size_ - live);
  if (buffer_.size() < end_ + want) buffer_.resize(end_ + want);
  for (;;) {
    const ssize_t got = ::read(fd_, buffer_.data() + end_, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      failed_ = true;
      error_ = errno;
      return false;
    }
    if (got == 0) {
      eof_ = true;
      return false;
    }
    end_ += static_cast<std::size_t>(got);
    return true;
  }
}

LineReader::LineReader(int fd, std::size_t chunk_size, std::size_t max_line)
    : reader_(fd, chunk_size, max_line + chunk_size),
      max_line_(std::max<std::size_t>(max_line, 1)) {}

namespace {

// Position of the first CR or LF in [from, n), or n.
std::size_t FindLineEnd(const char* d, std::size_t from, std::size_t n) {
  for (std::size_t i = from; i < n; ++i) {
    if (d[i] == '\n' || d[i] == '\r') return i;
  }
  return n;
}

}  // namespace

void LineReader::SkipRestOfLine() {
  for (;;) {
    const std::size_t n = reader_.size();
    const std::size_t end = FindLineEnd(reader_.data(), 0, n);
    if (end < n) {
      skip_lf_ = reader_.data()[end] == '\r';
      reader_.Consume(end + 1);
      return;
    }
    reader_.Consume(n);
    if (!reader_.Refill()) return;
  }
}

bool LineReader::Next(std::string_view& line) {
  reader_.Consume(pending_);
  pending_ = 0;
  if (skipping_) {
    skipping_ = false;
    SkipRestOfLine();
  }
  truncated_ = false;
  std::size_t scanned = 0;
  for (;;) {
    if (skip_lf_ && reader_.size() > 0) {
      skip_lf_ = false;
      if (reader_.data()[0] == '\n') reader_.Consume(1);
    }
    const char* d = reader_.data();
    const std::size_t n = reader_.size();
    const std::size_t end = FindLineEnd(d, scanned, n);
    if (end < n && end <= max_line_) {
      line = std::string_view(d, end);
      pending_ = end + 1;
      skip_lf_ = d[end] == '\r';
      return true;
    }
    if (n > max_line_) {
      line = std::string_view(d, max_line_);
      pending_ = max_line_;
      truncated_ = true;
      skipping_ = true;
      return true;
    }
    scanned = n;
    if (!reader_.Refill()) {
      if (reader_.failed() || n == 0) return false;
      // Refill may have moved the bytes to the front of the buffer.
      line = std::string_view(reader_.data(), n);
      pending_ = n;
      return true;
    }
  }
}

OutputSink* OutputSink::active_ = nullptr;

OutputSink::OutputSink(int fd, std::size_t flush_at)
    : outer_(active_), fd_(fd), flush_at_(flush_at) {
  buffer_.reserve(flush_at + 4096);
  active_ = this;
}

OutputSink::~OutputSink() {
  Flush();
  active_ = outer_;
}

void OutputSink::FlushActive() {
  if (active_ != nullptr) active_->Flush();
}

bool OutputSink::Flush() {
  std::size_t done = 0;
  while (error_ == 0 && done < buffer_.size()) {
    const ssize_t put = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      error_ = errno;
      break;
    }
    done += static_cast<std::size_t>(put);
  }
  // After a failure the output is dropped so that memory stays bounded.
  buffer_.clear();
  return error_ == 0;
}

}  // namespace quandor_check
