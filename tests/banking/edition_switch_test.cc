// The edition a host is told of, and the next edition answering from its
// first day on, by a clock the test sets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "bankdir/bank_data.h"
#include "bankdir/clock.h"
#include "bankdir/edition.h"
#include "quandor/banking.h"
#include "quandor/data_info.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using bankdir::ParseDay;

// Noon of the day, so that no zone's midnight comes near.
std::time_t NoonOf(const char* day) { return bankdir::StartOf(*ParseDay(day)) + 12 * 3600; }

struct ClockSet {
  ~ClockSet() { bankdir::SetNowForTesting(std::nullopt); }
  void To(const char* day) const { bankdir::SetNowForTesting(NoonOf(day)); }
};

std::string Day(const std::optional<std::chrono::year_month_day>& date) {
  return date ? bankdir::FormatDay(bankdir::Day(*date)) : "";
}

TEST(EditionSwitch, NextEditionAnswersFromItsFirstDay) {
  const std::string june =
      testing::BankFileText({"10000000;Musterbank;Berlin;Musterbank Berlin;09"});
  const std::string september =
      june + testing::BankFileText({"20000000;Nordbank;Hamburg;Nordbank Hamburg;00"});
  testing::BankFileDir dir(june);
  const auto place = [&dir](const char* name, const char* edition_name, const std::string& text,
                            bankdir::Edition edition) {
    std::ofstream(dir.path() / name, std::ios::binary) << text;
    std::ofstream(dir.path() / edition_name, std::ios::binary)
        << bankdir::EditionFileText(edition, text);
  };
  place("blz.txt", "blz.edition", june, {ParseDay("2026-06-08"), ParseDay("2026-09-06")});
  const auto place_next = [&] {
    place("blz.next.txt", "blz.next.edition", september, {ParseDay("2026-09-07"), {}});
  };
  place_next();
  ClockSet clock;

  enum class Then { kNothing, kPin, kUnpin, kDeleteNext };
  struct Step {
    const char* today;
    Then then;  // done before the checks
    bool nordbank_found;
    const char* file;
    const char* valid_from;
    EditionState state;
    const char* next_valid_from;
  };
  const Step steps[] = {
      {"2026-09-06", Then::kNothing, false, "blz.txt", "2026-06-08", EditionState::kCurrent,
       "2026-09-07"},
      {"2026-09-06", Then::kPin, false, "blz.txt", "2026-06-08", EditionState::kCurrent,
       "2026-09-07"},
      // A pin keeps its version, and grows old with it.
      {"2026-09-07", Then::kNothing, false, "blz.txt", "2026-06-08", EditionState::kExpired,
       "2026-09-07"},
      {"2026-09-07", Then::kUnpin, true, "blz.next.txt", "2026-09-07", EditionState::kCurrent, ""},
      // Deleted before its day, the next edition changes nothing on it.
      {"2026-09-05", Then::kDeleteNext, false, "blz.txt", "2026-06-08", EditionState::kCurrent, ""},
      {"2026-09-07", Then::kNothing, false, "blz.txt", "2026-06-08", EditionState::kExpired, ""},
  };
  Banking banking;
  for (const Step& step : steps) {
    clock.To(step.today);
    switch (step.then) {
      case Then::kPin:
        bankdir::PinThread();
        break;
      case Then::kUnpin:
        bankdir::UnpinThread();
        break;
      case Then::kDeleteNext:
        std::filesystem::remove(dir.path() / "blz.next.txt");
        std::filesystem::remove(dir.path() / "blz.next.edition");
        break;
      case Then::kNothing:
        break;
    }
    EXPECT_EQ(banking.searchBank("20000000"), step.nordbank_found) << step.today;
    const DataInfo info = GetDataInfo();
    EXPECT_EQ(std::filesystem::path(info.path).filename(), step.file) << step.today;
    EXPECT_EQ(Day(info.valid_from), step.valid_from) << step.today;
    EXPECT_EQ(info.state, step.state) << step.today;
    EXPECT_EQ(Day(info.next_valid_from), step.next_valid_from) << step.today;
    EXPECT_EQ(info.bank_count, step.nordbank_found ? 2 : 1) << step.today;
  }
  EXPECT_EQ(EditionText(GetDataInfo()), "edition 2026-06-08 to 2026-09-06");
  EXPECT_EQ(StaleDataText(GetDataInfo()),
            "bank code file edition 2026-06-08 expired on 2026-09-06");
}

}  // namespace
}  // namespace quandor
