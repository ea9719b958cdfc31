#include "bankdir/clock.h"

#include <atomic>

namespace quandor::bankdir {
namespace {

// Set only by tests; 0 stands for the system's clock.
std::atomic<std::time_t> set_now{0};

}  // namespace

std::time_t Now() {
  const std::time_t moment = set_now.load(std::memory_order_relaxed);
  return moment != 0 ? moment : std::time(nullptr);
}

Day DayOf(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return Day(
      std::chrono::year_month_day(std::chrono::year(local.tm_year + 1900),
                                  std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                  std::chrono::day(static_cast<unsigned>(local.tm_mday))));
}

std::time_t StartOf(Day day) {
  const std::chrono::year_month_day date(day);
  std::tm local{};
  local.tm_year = static_cast<int>(date.year()) - 1900;
  local.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  local.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  local.tm_isdst = -1;  // the zone's rule for that day decides
  return std::mktime(&local);
}

void SetNowForTesting(std::optional<std::time_t> moment) {
  set_now.store(moment.value_or(0), std::memory_order_relaxed);
}

}  // namespace quandor::bankdir
