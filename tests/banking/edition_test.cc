#include "bankdir/edition.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quandor::bankdir {
namespace {

Day D(const char* text) { return *ParseDay(text); }

// What an edition file names, and what it names for a bank code file it was
// not written for.
TEST(Edition, WrittenAndRead) {
  const std::string bank = "10000000;Bundesbank;Berlin;BBk Berlin;09\r\n";
  const Edition both{D("2026-06-08"), D("2026-09-06")};
  const std::string written = EditionFileText(both, bank);
  struct Case {
    std::string edition_text;
    std::string bank_text;
    std::optional<Day> from;
    std::optional<Day> until;
  };
  const Case cases[] = {
      {written, bank, D("2026-06-08"), D("2026-09-06")},
      {EditionFileText({D("2026-06-08"), {}}, bank), bank, D("2026-06-08"), {}},
      {"# by hand\r\n" + written + "later_key=1\n", bank, D("2026-06-08"), D("2026-09-06")},
      // Another file beside it, same size or not; or no first day, or malformed.
      {written, "10000001;Bundesbank;Berlin;BBk Berlin;09\r\n", {}, {}},
      {written, bank + "\r\n", {}, {}},
      {EditionFileText({{}, D("2026-09-06")}, bank), bank, {}, {}},
      {"valid_from=2026-02-30\n" + written, bank, {}, {}},
      {"valid_from 2026-06-08\n" + written, bank, {}, {}},
      {"", bank, {}, {}},
  };
  for (const Case& c : cases) {
    const Edition read = ReadEditionFile(c.edition_text, c.bank_text);
    EXPECT_EQ(read.valid_from, c.from) << c.edition_text;
    EXPECT_EQ(read.valid_until, c.until) << c.edition_text;
  }
  EXPECT_EQ(FormatDay(D("2026-06-08")), "2026-06-08");
  for (const char* bad : {"2026-6-08", "2026-13-01", "20260608", "2026-06-0x", ""}) {
    EXPECT_FALSE(ParseDay(bad)) << bad;
  }
  EXPECT_EQ(EditionFileName("/d/blz.txt"), "/d/blz.edition");
  EXPECT_EQ(NextBankFileName("/d/blz.txt"), "/d/blz.next.txt");
  EXPECT_EQ(EditionFileName(NextBankFileName("/d/blz.txt")), "/d/blz.next.edition");
}

// When an edition grows old, and when the next one takes over.
TEST(Edition, DaysDecide) {
  const Edition june{D("2026-06-08"), D("2026-09-06")};
  const Edition june_open{D("2026-06-08"), {}};
  const Edition september{D("2026-09-07"), D("2026-12-06")};
  const Edition unknown;
  struct Case {
    Edition current;
    Edition next;
    const char* today;
    Freshness freshness;  // of current
    bool next_applies;
  };
  const Case cases[] = {
      {june, september, "2026-09-06", Freshness::kCurrent, false},
      {june, september, "2026-09-07", Freshness::kExpired, true},
      {june, unknown, "2026-12-07", Freshness::kExpired, false},
      {june_open, unknown, "2026-09-16", Freshness::kCurrent, false},  // 100 days
      {june_open, unknown, "2026-09-17", Freshness::kExpired, false},
      {unknown, september, "2026-09-07", Freshness::kUnknown, true},
      {unknown, september, "2026-09-06", Freshness::kUnknown, false},
      // An older next edition never pushes a newer current one aside.
      {september, june, "2026-12-07", Freshness::kExpired, false},
      {september, september, "2026-10-01", Freshness::kCurrent, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FreshnessOn(c.current, D(c.today)), c.freshness) << c.today;
    EXPECT_EQ(NextEditionApplies(c.current, c.next, D(c.today)), c.next_applies) << c.today;
  }
}

}  // namespace
}  // namespace quandor::bankdir
