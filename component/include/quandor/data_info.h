/// @file
/// Which bank code file answers, and whether its edition is still in force.
///
///   const quandor::DataInfo info = quandor::GetDataInfo();
///   std::cout << info.path << ": " << quandor::EditionText(info) << '\n';
///   if (info.state == quandor::EditionState::kExpired) std::cerr << quandor::StaleDataText(info);
///
/// The Deutsche Bundesbank publishes a new edition of its bank codes about
/// every three months. quandor-check convert records the days of the edition
/// it converts in "blz.edition" beside "blz.txt"; a file without one works
/// as before, of unknown edition. The next edition may wait beside the
/// current one ("blz.next.txt", written by convert --next): from its first
/// day on every lookup answers from it.
#ifndef QUANDOR_DATA_INFO_H_
#define QUANDOR_DATA_INFO_H_

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "quandor/export.h"

namespace quandor {

enum class EditionState : int32_t {
  kCurrent = 0,  ///< within its days
  kExpired = 1,  ///< past its last day, or 100 days old where it names none
  kUnknown = 2,  ///< no edition recorded for this file
};

struct DataInfo {
  /// The bank code file that lookups answer from now; "" when the settings
  /// file is refused and there is none.
  std::string path;
  /// Whether it could be read; when not, the fields below are empty.
  bool found = false;
  /// Its records (non-empty lines).
  int32_t bank_count = 0;
  /// The first and last day of its edition, where known.
  std::optional<std::chrono::year_month_day> valid_from;
  std::optional<std::chrono::year_month_day> valid_until;
  EditionState state = EditionState::kUnknown;
  /// The first day of a next edition waiting beside it, which takes over then.
  std::optional<std::chrono::year_month_day> next_valid_from;
};

/// The bank code file that the calling thread's lookups answer from now
/// (its pinned one on a pinned thread), its edition as of today.
QUANDOR_EXPORT DataInfo GetDataInfo();

/// "edition 2026-06-08 to 2026-09-06", "edition 2026-06-08" (no last day
/// named) or "edition unknown".
QUANDOR_EXPORT std::string EditionText(const DataInfo& info);

/// For an expired edition "bank code file edition 2026-06-08 expired on
/// 2026-09-06" (where no last day is named, the day 100 days after the
/// first); "" for any other.
QUANDOR_EXPORT std::string StaleDataText(const DataInfo& info);

}  // namespace quandor

#endif  // QUANDOR_DATA_INFO_H_
