#include "bankdir/edition.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <charconv>
#include <cstdint>

#include <cerrno>
#include <cstdio>

namespace quandor::bankdir {
namespace {

constexpr std::string_view kValidFrom = "valid_from";
constexpr std::string_view kValidUntil = "valid_until";
constexpr std::string_view kFileSize = "bank_file_size";
constexpr std::string_view kFileChecksum = "bank_file_fnv1a64";

// Tells one bank code file from another; not a defence against forgery, only
// against an edition file left beside data it was not written for.
uint64_t Fnv1a64(std::string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Hex(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

bool ParseNumber(std::string_view text, int base, uint64_t& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  return !text.empty() && error == std::errc() && stop == end;
}

std::string ReplaceTxt(std::string_view name, std::string_view by) {
  if (name.ends_with(".txt")) name.remove_suffix(4);
  return std::string(name) + std::string(by);
}

}  // namespace

std::optional<Day> ParseDay(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  uint64_t year = 0;
  uint64_t month = 0;
  uint64_t day = 0;
  if (!ParseNumber(text.substr(0, 4), 10, year) || !ParseNumber(text.substr(5, 2), 10, month) ||
      !ParseNumber(text.substr(8, 2), 10, day)) {
    return std::nullopt;
  }
  const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(year)),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  return Day(date);
}

std::string FormatDay(Day day) {
  const std::chrono::year_month_day date(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string EditionFileName(std::string_view bank_file_name) {
  return ReplaceTxt(bank_file_name, ".edition");
}

std::string NextBankFileName(std::string_view bank_file_name) {
  return ReplaceTxt(bank_file_name, ".next.txt");
}

std::string EditionFileText(const Edition& edition, std::string_view bank_file_text) {
  std::string text;
  auto line = [&text](std::string_view key, const std::string& value) {
    text.append(key).append("=").append(value).append("\n");
  };
  if (edition.valid_from) line(kValidFrom, FormatDay(*edition.valid_from));
  if (edition.valid_until) line(kValidUntil, FormatDay(*edition.valid_until));
  line(kFileSize, std::to_string(bank_file_text.size()));
  line(kFileChecksum, Hex(Fnv1a64(bank_file_text)));
  return text;
}

Edition ReadEditionFile(std::string_view edition_text, std::string_view bank_file_text) {
  Edition edition;
  std::optional<uint64_t> size;
  std::optional<uint64_t> checksum;
  while (!edition_text.empty()) {
    const std::size_t end = edition_text.find('\n');
    std::string_view line = edition_text.substr(0, end);
    edition_text.remove_prefix(end == std::string_view::npos ? edition_text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    uint64_t number = 0;
    if (key == kValidFrom || key == kValidUntil) {
      const auto day = ParseDay(value);
      if (!day) return {};
      (key == kValidFrom ? edition.valid_from : edition.valid_until) = day;
    } else if (key == kFileSize || key == kFileChecksum) {
      if (!ParseNumber(value, key == kFileSize ? 10 : 16, number)) return {};
      (key == kFileSize ? size : checksum) = number;
    }
    // Other keys are left to later writers.
  }
  if (!edition.valid_from || size != bank_file_text.size() || checksum != Fnv1a64(bank_file_text)) {
    return {};
  }
  return edition;
}

Edition ReadEditionBeside(const std::string& bank_file_path, std::string_view bank_file_text) {
  // Far beyond any edition file; a larger one is no edition file.
  constexpr std::size_t kMaxSize = 4096;
  // Opened without waiting, as a FIFO in its place would make it.
  const int fd = ::open(EditionFileName(bank_file_path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  std::string text(kMaxSize + 1, '\0');
  std::size_t got = 0;
  struct stat st {};
  bool readable = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  while (readable && got < text.size()) {
    const ssize_t put = ::read(fd, text.data() + got, text.size() - got);
    if (put > 0) {
      got += static_cast<std::size_t>(put);
    } else if (put == 0) {
      break;
    } else if (errno != EINTR) {
      readable = false;
    }
  }
  ::close(fd);
  if (!readable || got > kMaxSize) return {};
  text.resize(got);
  return ReadEditionFile(text, bank_file_text);
}

std::optional<Day> LastDayInForce(const Edition& edition) {
  if (!edition.valid_from) return std::nullopt;
  if (edition.valid_until) return edition.valid_until;
  return *edition.valid_from + std::chrono::days(kDaysWithoutLastDay);
}

Freshness FreshnessOn(const Edition& edition, Day today) {
  const auto last = LastDayInForce(edition);
  if (!last) return Freshness::kUnknown;
  return today > *last ? Freshness::kExpired : Freshness::kCurrent;
}

bool NextEditionApplies(const Edition& current, const Edition& next, Day today) {
  if (!next.valid_from || *next.valid_from > today) return false;
  return !current.valid_from || *next.valid_from > *current.valid_from;
}

}  // namespace quandor::bankdir
