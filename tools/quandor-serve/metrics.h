// The service's counters, shown in the Prometheus text format at /metrics.
// Every method may be called from any thread.
#ifndef QUANDOR_SERVE_METRICS_H_
#define QUANDOR_SERVE_METRICS_H_

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

namespace quandor_serve {

class Metrics {
 public:
  // One answered request: its route name (a constant with static storage), status and time.
  void Record(std::string_view route, int status, double seconds);

  // The bank code file as seen now (any text that changes when the file
  // does, and its edition); a change from the last call counts as a reload.
  void NoteData(const std::string& version, const std::string& edition);

  std::uint64_t reloads() const { return reloads_.load(); }

  std::string Render() const;

 private:
  static constexpr std::array<double, 12> kBuckets = {0.0001, 0.00025, 0.0005, 0.001, 0.0025, 0.005,
                                                      0.01,   0.025,   0.05,   0.1,   1,      10};
  mutable std::mutex mutex_;
  std::map<std::pair<std::string_view, int>, std::uint64_t> requests_;
  std::array<std::uint64_t, kBuckets.size() + 1> buckets_{};  // the last one is +Inf
  double seconds_sum_ = 0;
  std::uint64_t seconds_count_ = 0;
  std::string version_;
  std::string edition_;
  std::atomic<std::uint64_t> reloads_{0};
};

}  // namespace quandor_serve

#endif  // QUANDOR_SERVE_METRICS_H_
