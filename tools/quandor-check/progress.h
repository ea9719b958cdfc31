// A one-line progress bar on standard error for long batch runs: share of
// the input read, rows done, rows per second and the time left, estimated
// from the bytes read against the input's size.
#ifndef QUANDOR_CHECK_PROGRESS_H_
#define QUANDOR_CHECK_PROGRESS_H_

#include <chrono>
#include <cstdint>
#include <string>

namespace quandor_check {

// The bar's text for the given figures, without line end, e.g.
// " 45% [#########           ] 450000 rows  210345 rows/s  0:03 left".
// With done, the closing summary: "100% [...] 1000000 rows in 2.9 s  345000 rows/s".
std::string FormatProgress(std::uint64_t rows, std::uint64_t bytes, std::uint64_t total_bytes,
                           double seconds, bool done);

class ProgressBar {
 public:
  // Draws on fd; a disabled bar draws nothing and costs one test per row.
  ProgressBar(int fd, std::uint64_t total_bytes, bool enabled);

  // Call once per row; redraws at most ten times a second.
  void Update(std::uint64_t rows, std::uint64_t bytes) {
    if (enabled_ && (rows & 0x3FF) == 0) Tick(rows, bytes);
  }
  // Draws the summary and ends the line.
  void Finish(std::uint64_t rows, std::uint64_t bytes);

 private:
  void Tick(std::uint64_t rows, std::uint64_t bytes);
  void Draw(const std::string& text, bool done);

  int fd_;
  std::uint64_t total_bytes_;
  bool enabled_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_draw_;
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_PROGRESS_H_
