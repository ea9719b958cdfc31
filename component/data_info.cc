#include "quandor/data_info.h"

#include <algorithm>
#include <memory>

#include "bankdir/bank_file.h"
#include "bankdir/clock.h"
#include "bankdir/data_path.h"
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
  DataInfo info;
  info.path = bankdir::BankFilePath();
  const std::shared_ptr<const bankdir::BankFileLines> lines = bankdir::CurrentBankFile();
  if (lines == nullptr) return info;
  info.found = true;
  for (std::size_t i = 0; i < lines->size(); ++i) info.bank_count += !lines->line(i).empty();
  const bankdir::Edition edition = bankdir::ReadEditionBeside(info.path, lines->text());
  const bankdir::Day today = bankdir::Today();
  info.valid_from = Date(edition.valid_from);
  info.valid_until = Date(edition.valid_until);
  info.state = static_cast<EditionState>(bankdir::FreshnessOn(edition, today));
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
