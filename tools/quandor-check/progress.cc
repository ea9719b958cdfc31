#include "progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace quandor_check {
namespace {

constexpr int kBarWidth = 20;
constexpr std::size_t kLineWidth = 79;

std::string Clock(double seconds) {
  const auto total = static_cast<long long>(seconds + 0.5);
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                  total % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
  }
  return text;
}

}  // namespace

std::string FormatProgress(std::uint64_t rows, std::uint64_t bytes, std::uint64_t total_bytes,
                           double seconds, bool done) {
  double share = done ? 1.0 : 0.0;
  if (!done && total_bytes > 0) {
    share = std::min(1.0, static_cast<double>(bytes) / static_cast<double>(total_bytes));
  }
  const int filled = static_cast<int>(share * kBarWidth);
  const double rate = seconds > 0 ? static_cast<double>(rows) / seconds : 0.0;
  char head[64];
  std::snprintf(head, sizeof head, "%3d%% [%s%s] %llu rows", static_cast<int>(share * 100),
                std::string(static_cast<std::size_t>(filled), '#').c_str(),
                std::string(static_cast<std::size_t>(kBarWidth - filled), ' ').c_str(),
                static_cast<unsigned long long>(rows));
  char tail[64];
  if (done) {
    std::snprintf(tail, sizeof tail, " in %.1f s  %.0f rows/s", seconds, rate);
  } else if (bytes > 0 && share > 0) {
    const double left = seconds * (1.0 - share) / share;
    std::snprintf(tail, sizeof tail, "  %.0f rows/s  %s left", rate, Clock(left).c_str());
  } else {
    std::snprintf(tail, sizeof tail, "  %.0f rows/s  --:-- left", rate);
  }
  return std::string(head) + tail;
}

ProgressBar::ProgressBar(int fd, std::uint64_t total_bytes, bool enabled)
    : fd_(fd),
      total_bytes_(total_bytes),
      enabled_(enabled),
      start_(std::chrono::steady_clock::now()),
      last_draw_(start_) {}

void ProgressBar::Tick(std::uint64_t rows, std::uint64_t bytes) {
  const auto now = std::chrono::steady_clock::now();
  if (now - last_draw_ < std::chrono::milliseconds(100)) return;
  last_draw_ = now;
  const std::chrono::duration<double> elapsed = now - start_;
  Draw(FormatProgress(rows, bytes, total_bytes_, elapsed.count(), false), false);
}

void ProgressBar::Finish(std::uint64_t rows, std::uint64_t bytes) {
  if (!enabled_) return;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
  Draw(FormatProgress(rows, bytes, total_bytes_, elapsed.count(), true), true);
}

void ProgressBar::Draw(const std::string& text, bool done) {
  // Padding wipes what a longer previous line left behind.
  std::string line = "\r" + text;
  if (text.size() < kLineWidth) line.append(kLineWidth - text.size(), ' ');
  if (done) line.push_back('\n');
  // Progress is a courtesy: a failed write to stderr is not worth stopping for.
  [[maybe_unused]] const ssize_t ignored = ::write(fd_, line.data(), line.size());
}

}  // namespace quandor_check
