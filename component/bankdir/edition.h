// The edition of a bank code file: the days on which the Deutsche Bundesbank's
// data in it applies.
//
// The Bundesbank publishes a new edition about every three months, weeks
// before its first day. The edition is kept in a small file beside the bank
// code file, "blz.edition" beside "blz.txt", so that the bank code file keeps
// its format for every reader of its fields. The edition file names the size
// and a checksum of the text it was written for: a bank code file replaced
// without its edition file has no known edition, rather than the old one.
//
//   valid_from=2026-06-08
//   valid_until=2026-09-06
//   bank_file_size=412345
//   bank_file_fnv1a64=8c1d...
//
// The next edition may wait beside the current one as "blz.next.txt" with
// "blz.next.edition"; it takes over on its first day (NextEditionApplies).
#ifndef QUANDOR_BANKDIR_EDITION_H_
#define QUANDOR_BANKDIR_EDITION_H_

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace quandor::bankdir {

using Day = std::chrono::sys_days;

struct Edition {
  std::optional<Day> valid_from;   // unknown: the edition is unknown
  std::optional<Day> valid_until;  // the last day, where the publisher named it
};

// An edition without a last day counts as old this many days after its first:
// the Bundesbank's editions last about three months.
inline constexpr int kDaysWithoutLastDay = 100;

// "YYYY-MM-DD", a day that exists; nothing otherwise.
std::optional<Day> ParseDay(std::string_view text);
std::string FormatDay(Day day);

// The edition file of a bank code file: "blz.txt" gives "blz.edition",
// "blz.next.txt" gives "blz.next.edition".
std::string EditionFileName(std::string_view bank_file_name);

// The next edition's bank code file beside "blz.txt": "blz.next.txt".
std::string NextBankFileName(std::string_view bank_file_name);

// The edition file's text for an edition of the bank code file's text.
std::string EditionFileText(const Edition& edition, std::string_view bank_file_text);

// The edition that an edition file's text names for the bank code file's text
// (decoded as the reader decodes it). Unknown when the text is malformed,
// names no first day, or was written for another bank code file.
Edition ReadEditionFile(std::string_view edition_text, std::string_view bank_file_text);

// The edition that the edition file beside the bank code file at path names
// for its text; unknown when there is none or it cannot be read.
Edition ReadEditionBeside(const std::string& bank_file_path, std::string_view bank_file_text);

enum class Freshness { kCurrent, kExpired, kUnknown };

// The day after which the edition counts as old: its last day, or the day
// kDaysWithoutLastDay after its first. Nothing for an unknown edition.
std::optional<Day> LastDayInForce(const Edition& edition);

// Whether the edition is still in force on today.
Freshness FreshnessOn(const Edition& edition, Day today);

// Whether the next edition answers instead of the current one on today: from
// its first day on, when it is newer than the current one. A next edition of
// unknown first day never applies.
bool NextEditionApplies(const Edition& current, const Edition& next, Day today);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_EDITION_H_
