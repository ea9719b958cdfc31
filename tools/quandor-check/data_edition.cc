#include "data_edition.h"

#include <string>

#include "bankdir/edition.h"
#include "common.h"
#include "quandor/banking.h"
#include "quandor/errors.h"

namespace quandor_check {
namespace {

std::string Day(const std::chrono::year_month_day& date) {
  return quandor::bankdir::FormatDay(quandor::bankdir::Day(date));
}

std::string EditionLine(const quandor::DataInfo& info) {
  if (!info.found) return "none (no bank code file)";
  if (!info.valid_from) return "unknown (no blz.edition beside the file)";
  std::string line = Day(*info.valid_from);
  line += info.valid_until ? " to " + Day(*info.valid_until) : " (last day not named)";
  line += info.state == quandor::EditionState::kExpired ? ", expired" : ", in force";
  return line;
}

}  // namespace

void PrintDataInfo(const quandor::DataInfo& info, std::FILE* to) {
  std::fprintf(to, "Bank code file: %s%s\n", info.path.empty() ? "(none)" : info.path.c_str(),
               info.found ? "" : " (missing)");
  std::fprintf(to, "Edition:        %s\n", EditionLine(info).c_str());
  if (info.next_valid_from) {
    std::fprintf(to, "Next edition:   takes over on %s\n", Day(*info.next_valid_from).c_str());
  }
  std::fprintf(to, "Banks:          %d\n", static_cast<int>(info.bank_count));
  const std::string_view rules = RulesName(quandor::GetDefaultRules(quandor::qdRulesCurrent));
  std::fprintf(to, "Default rules:  %.*s\n", static_cast<int>(rules.size()), rules.data());
}

void WarnIfStale() {
  static bool warned = false;
  if (warned) return;
  warned = true;
  const std::string stale = quandor::StaleDataText(quandor::GetDataInfo());
  if (stale.empty()) return;
  std::fprintf(stderr, "warning: %s; convert the current edition (quandor-check convert --help)\n",
               stale.c_str());
}

}  // namespace quandor_check
