#include "convert_edition.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bankdir/clock.h"
#include "bankdir/text_decoding.h"

namespace quandor_check {
namespace {

using quandor::bankdir::Day;
using quandor::bankdir::Edition;

// The edition of the bank code file at path as the library reads it.
Edition EditionAt(const std::string& path) {
  std::string bank;
  if (!ReadWholeFile(path, bank)) return {};
  return quandor::bankdir::ReadEditionBeside(path,
                                             quandor::bankdir::DecodeBankFileText(std::move(bank)));
}

std::optional<Day> DayOption(const Args& args, std::string_view name, std::string& error) {
  const auto value = args.Value(name);
  if (!value) return std::nullopt;
  const auto day = quandor::bankdir::ParseDay(*value);
  if (!day) error = "--" + std::string(name) + " expects a day as YYYY-MM-DD";
  return day;
}

}  // namespace

bool ReadWholeFile(const std::string& name, std::string& content) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  content = std::move(buffer).str();
  return !in.bad();
}

std::optional<Day> FirstDayFromFileName(std::string_view path) {
  const std::string name = std::filesystem::path(path).filename().string();
  constexpr std::string_view kPrefix = "blz_";
  constexpr std::string_view kSuffix = ".txt";
  if (name.size() != kPrefix.size() + 8 + kSuffix.size() || !name.starts_with(kPrefix) ||
      !name.ends_with(kSuffix)) {
    return std::nullopt;
  }
  const std::string digits = name.substr(kPrefix.size(), 8);
  return quandor::bankdir::ParseDay(digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" +
                                    digits.substr(6, 2));
}

std::optional<std::string> EditionOf(const Args& args, std::string_view source, Edition& edition) {
  std::string error;
  edition.valid_from = DayOption(args, "valid-from", error);
  edition.valid_until = DayOption(args, "valid-until", error);
  if (!error.empty()) return error;
  if (!edition.valid_from) edition.valid_from = FirstDayFromFileName(source);
  if (edition.valid_until && !edition.valid_from) {
    return "--valid-until needs the first day too (--valid-from, or a file named blz_YYYYMMDD.txt)";
  }
  if (edition.valid_until && *edition.valid_until < *edition.valid_from) {
    return "--valid-until lies before the first day";
  }
  if (args.Has("next") && !edition.valid_from) {
    return "--next needs the first day (--valid-from, or a file named blz_YYYYMMDD.txt)";
  }
  return std::nullopt;
}

std::string PromoteNextEdition(const std::string& path) {
  const std::string next = quandor::bankdir::NextBankFileName(path);
  if (!quandor::bankdir::NextEditionApplies(EditionAt(path), EditionAt(next),
                                            quandor::bankdir::Today())) {
    return {};
  }
  // The edition first: the bank code file's change is the one readers watch.
  for (const auto& [from, to] :
       {std::pair{quandor::bankdir::EditionFileName(next), quandor::bankdir::EditionFileName(path)},
        std::pair{next, path}}) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
      return "cannot move " + from + " to " + to + ": " + std::strerror(errno);
    }
  }
  return {};
}

}  // namespace quandor_check
