#include "metrics.h"

#include <algorithm>
#include <cstdio>

namespace quandor_serve {
namespace {

// A label value: backslash, double quote and line feed escaped.
std::string Label(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    if (c == '\n') {
      out.append("\\n");
      continue;
    }
    out.push_back(c);
  }
  return out;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

}  // namespace

void Metrics::Record(std::string_view route, int status, double seconds) {
  const auto bucket = static_cast<std::size_t>(
      std::lower_bound(kBuckets.begin(), kBuckets.end(), seconds) - kBuckets.begin());
  const std::lock_guard lock(mutex_);
  ++requests_[{route, status}];
  ++buckets_[bucket];
  seconds_sum_ += seconds;
  ++seconds_count_;
}

void Metrics::NoteData(const std::string& version, const std::string& edition) {
  const std::lock_guard lock(mutex_);
  if (version == version_) return;
  if (!version_.empty()) ++reloads_;
  version_ = version;
  edition_ = edition;
}

std::string Metrics::Render() const {
  const std::lock_guard lock(mutex_);
  std::string out;
  out.append(
      "# HELP quandor_requests_total Requests answered, by route and status.\n"
      "# TYPE quandor_requests_total counter\n");
  for (const auto& [key, count] : requests_) {
    out.append("quandor_requests_total{route=\"" + Label(key.first) + "\",status=\"" +
               std::to_string(key.second) + "\"} " + std::to_string(count) + "\n");
  }
  out.append(
      "# HELP quandor_request_duration_seconds Time from a request's head read to its answer "
      "written.\n"
      "# TYPE quandor_request_duration_seconds histogram\n");
  std::uint64_t cumulative = 0;
  for (std::size_t i = 0; i < buckets_.size(); ++i) {
    cumulative += buckets_[i];
    const std::string le = i < kBuckets.size() ? Number(kBuckets[i]) : "+Inf";
    out.append("quandor_request_duration_seconds_bucket{le=\"" + le + "\"} " +
               std::to_string(cumulative) + "\n");
  }
  out.append("quandor_request_duration_seconds_sum " + Number(seconds_sum_) + "\n");
  out.append("quandor_request_duration_seconds_count " + std::to_string(seconds_count_) + "\n");
  out.append(
      "# HELP quandor_data_info The bank code file answered from; edition empty when unknown.\n"
      "# TYPE quandor_data_info gauge\n"
      "quandor_data_info{edition=\"" +
      Label(edition_) + "\"} 1\n");
  out.append(
      "# HELP quandor_data_reloads_total Changes of the bank code file seen since the start.\n"
      "# TYPE quandor_data_reloads_total counter\n"
      "quandor_data_reloads_total " +
      std::to_string(reloads_.load()) + "\n");
  return out;
}

}  // namespace quandor_serve
