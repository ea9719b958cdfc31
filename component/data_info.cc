#include "quandor/data_info.h"

#include <memory>

#include "bankdir/bank_data.h"
#include "bankdir/clock.h"
#include "bankdir/edition.h"

namespace quandor {
namespace {

static_assert(
    static_cast<int>(bankdir::Freshness::kCurrent) == static_cast<int>(EditionState::kCurrent) &&
    static_cast<int>(bankdir::Freshness::kExpired) == static_cast<int>(EditionState::kExpired) &&
    static_cast<int>(bankdir::Freshness::kUnknown) == static_cast<int>(EditionState::kUnknown));

std::optional<std::chrono::year_month_day> Date(const std::optional<bankdir::Day>& day) {
  if (!day) return std::nullopt;
  return std::chrono::year_month_day(*day);
}

std::string Text(const std::chrono::year_month_day& date) {
  return bankdir::FormatDay(bankdir::Day(date));
}

}  // namespace

DataInfo GetDataInfo() {
  const std::shared_ptr<const bankdir::BankData> data = bankdir::CurrentBankData();
  DataInfo info;
  info.path = data->bank_file_path;
  info.next_valid_from = Date(data->next_valid_from);
  if (data->bank_file == nullptr) return info;
  info.found = true;
  info.bank_count = static_cast<int32_t>(data->bank_file->index().size());
  info.valid_from = Date(data->edition.valid_from);
  info.valid_until = Date(data->edition.valid_until);
  info.state = static_cast<EditionState>(bankdir::FreshnessOn(data->edition, bankdir::Today()));
  return info;
}

std::string EditionText(const DataInfo& info) {
  if (!info.valid_from) return "edition unknown";
  std::string text = "edition " + Text(*info.valid_from);
  if (info.valid_until) text += " to " + Text(*info.valid_until);
  return text;
}

std::string StaleDataText(const DataInfo& info) {
  if (info.state != EditionState::kExpired || !info.valid_from) return {};
  const auto last = bankdir::LastDayInForce(
      {bankdir::Day(*info.valid_from),
       info.valid_until ? std::optional(bankdir::Day(*info.valid_until)) : std::nullopt});
  return "bank code file edition " + Text(*info.valid_from) + " expired on " +
         bankdir::FormatDay(*last);
}

}  // namespace quandor
