// The IBAN registry, kept in its own notation and read when the component is
// compiled: a row that cannot be read, whose parts do not fill its IBAN length,
// or that stands out of order stops the build.
#include "iban_registry.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quandor::iban_registry {
namespace {

// Country, IBAN length, BBAN structure: the registry's facts as published.
// Territories with IBANs of their own code (Åland, the French overseas
// departments and collectivities) have rows of their own.
constexpr auto kRegistry = std::to_array<RegistryRow>({
    {"AD", 24, "8!n,12!c"},      {"AE", 23, "3!n,16!n"},      {"AL", 28, "8!n,16!c"},
    {"AT", 20, "16!n"},          {"AX", 18, "14!n"},          {"AZ", 28, "4!a,20!c"},
    {"BA", 20, "16!n"},          {"BE", 16, "12!n"},          {"BG", 22, "4!a,6!n,8!c"},
    {"BH", 22, "4!a,14!c"},      {"BR", 29, "23!n,1!a,1!c"},  {"BY", 28, "4!a,4!n,16!c"},
    {"CH", 21, "5!n,12!c"},      {"CR", 22, "18!n"},          {"CY", 28, "8!n,16!c"},
    {"CZ", 24, "20!n"},          {"DE", 22, "18!n"},          {"DK", 18, "14!n"},
    {"DO", 28, "4!a,20!n"},      {"EE", 20, "16!n"},          {"EG", 29, "25!n"},
    {"ES", 24, "20!n"},          {"FI", 18, "14!n"},          {"FO", 18, "14!n"},
    {"FR", 27, "10!n,11!c,2!n"}, {"GB", 22, "4!a,14!n"},      {"GE", 22, "2!c,16!n"},
    {"GF", 27, "10!n,11!c,2!n"}, {"GI", 23, "4!a,15!c"},      {"GL", 18, "14!n"},
    {"GP", 27, "10!n,11!c,2!n"}, {"GR", 27, "7!n,16!c"},      {"GT", 28, "24!c"},
    {"HR", 21, "17!n"},          {"HU", 28, "24!n"},          {"IE", 22, "4!c,14!n"},
    {"IL", 23, "19!n"},          {"IQ", 23, "4!a,15!n"},      {"IS", 26, "22!n"},
    {"IT", 27, "1!a,10!n,12!c"}, {"JO", 30, "4!a,4!n,18!c"},  {"KW", 30, "4!a,22!c"},
    {"KZ", 20, "3!n,13!c"},      {"LB", 28, "4!n,20!c"},      {"LC", 32, "4!a,24!c"},
    {"LI", 21, "5!n,12!c"},      {"LT", 20, "16!n"},          {"LU", 20, "3!n,13!c"},
    {"LV", 21, "4!a,13!c"},      {"LY", 25, "21!n"},          {"MC", 27, "10!n,11!c,2!n"},
    {"MD", 24, "2!c,18!c"},      {"ME", 22, "18!n"},          {"MF", 27, "10!n,11!c,2!n"},
    {"MK", 19, "3!n,10!c,2!n"},  {"MN", 20, "16!n"},          {"MQ", 27, "10!n,11!c,2!n"},
    {"MR", 27, "23!n"},          {"MT", 31, "4!a,5!n,18!c"},  {"MU", 30, "4!a,19!n,3!a"},
    {"NC", 27, "10!n,11!c,2!n"}, {"NI", 28, "4!a,20!n"},      {"NL", 18, "4!a,10!n"},
    {"NO", 15, "11!n"},          {"OM", 23, "3!n,16!c"},      {"PF", 27, "10!n,11!c,2!n"},
    {"PK", 24, "4!c,16!n"},      {"PL", 28, "24!n"},          {"PM", 27, "10!n,11!c,2!n"},
    {"PS", 29, "4!c,21!n"},      {"PT", 25, "21!n"},          {"QA", 29, "4!a,21!c"},
    {"RE", 27, "10!n,11!c,2!n"}, {"RO", 24, "4!a,16!c"},      {"RS", 22, "18!n"},
    {"RU", 33, "14!n,15!c"},     {"SA", 24, "2!n,18!c"},      {"SC", 31, "4!a,20!n,3!a"},
    {"SD", 18, "14!n"},          {"SE", 24, "20!n"},          {"SI", 19, "15!n"},
    {"SK", 24, "20!n"},          {"SM", 27, "1!a,10!n,12!c"}, {"SO", 23, "19!n"},
    {"ST", 25, "21!n"},          {"SV", 28, "4!a,20!n"},      {"TF", 27, "10!n,11!c,2!n"},
    {"TL", 23, "19!n"},          {"TN", 24, "20!n"},          {"TR", 26, "5!n,17!c"},
    {"UA", 29, "6!n,19!c"},      {"VA", 22, "18!n"},          {"VG", 24, "4!c,16!n"},
    {"WF", 27, "10!n,11!c,2!n"}, {"XK", 20, "16!n"},          {"YE", 30, "4!a,4!n,18!c"},
    {"YT", 27, "10!n,11!c,2!n"},
});

constexpr bool IsUpper(char ch) { return ch >= 'A' && ch <= 'Z'; }

// The count of a part: one or two digits, not zero.
constexpr std::optional<std::size_t> ReadCount(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  std::size_t count = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    count = count * 10 + static_cast<std::size_t>(ch - '0');
  }
  return count > 0 ? std::optional(count) : std::nullopt;
}

// Nothing when the code is not two upper-case letters, a part is not
// "<count>!<kind>", or the parts do not fill the IBAN after its first four
// characters.
constexpr std::optional<Country> ReadRow(const RegistryRow& row) {
  if (row.country.size() != 2 || !IsUpper(row.country[0]) || !IsUpper(row.country[1]) ||
      row.iban_length <= 4 || static_cast<std::size_t>(row.iban_length) > kMaxIbanLength) {
    return std::nullopt;
  }
  Country out;
  out.code = row.country;
  out.length = static_cast<std::size_t>(row.iban_length);
  std::size_t filled = 0;
  const std::string_view text = row.bban;
  for (std::size_t begin = 0; begin <= text.size();) {
    const std::size_t end = std::min(text.find(',', begin), text.size());
    const std::string_view part = text.substr(begin, end - begin);
    begin = end + 1;
    const std::size_t bang = part.find('!');
    if (bang == std::string_view::npos || bang + 2 != part.size()) return std::nullopt;
    const auto count = ReadCount(part.substr(0, bang));
    const char kind = part.back();
    if (!count || (kind != 'n' && kind != 'a' && kind != 'c') || filled + *count > out.length - 4) {
      return std::nullopt;
    }
    const uint32_t positions = ((uint32_t{1} << *count) - 1) << filled;
    if (kind == 'n') out.digits_only |= positions;
    if (kind == 'a') out.letters_only |= positions;
    filled += *count;
  }
  if (filled != out.length - 4) return std::nullopt;
  return out;
}

// Countries are found through a slot per pair of letters, and a BBAN is held
// against two masks: bisecting the rows and testing position by position cost
// quandor-check iban 4 % more instructions on German IBANs (measure-iban.sh).
constexpr std::size_t kLetters = 26;

constexpr std::size_t SlotOfCode(std::string_view code) {
  return static_cast<std::size_t>(code[0] - 'A') * kLetters +
         static_cast<std::size_t>(code[1] - 'A');
}

struct ReadRegistry {
  std::array<Country, kRegistry.size()> countries{};
  std::array<uint8_t, kLetters * kLetters> row_in_slot{};  // position + 1; 0 for none
  int first_bad_row = -1;
};
static_assert(kRegistry.size() < 255, "row positions are kept in uint8_t");

constexpr ReadRegistry ReadAll() {
  ReadRegistry read;
  for (std::size_t i = 0; i < kRegistry.size(); ++i) {
    const auto country = ReadRow(kRegistry[i]);
    if (!country || (i > 0 && kRegistry[i - 1].country >= kRegistry[i].country)) {
      read.first_bad_row = static_cast<int>(i);
      return read;
    }
    read.countries[i] = *country;
    read.row_in_slot[SlotOfCode(country->code)] = static_cast<uint8_t>(i + 1);
  }
  return read;
}

constexpr ReadRegistry kCountries = ReadAll();
static_assert(kCountries.first_bad_row == -1,
              "a row of the IBAN registry cannot be read or stands out of order");

}  // namespace

std::span<const RegistryRow> RegistryRows() { return kRegistry; }

bool Country::BbanFits(std::string_view bban) const {
  if (bban.size() != length - 4) return false;
  uint32_t letters = 0;  // in electronic form, what lies above '9' is a letter
  for (std::size_t i = 0; i < bban.size(); ++i) {
    letters |= static_cast<uint32_t>(bban[i] > '9') << i;
  }
  return (letters & digits_only) == 0 && (~letters & letters_only) == 0;
}

const Country* FindCountry(std::string_view code) {
  if (code.size() != 2 || !IsUpper(code[0]) || !IsUpper(code[1])) return nullptr;
  const uint8_t row = kCountries.row_in_slot[SlotOfCode(code)];
  return row == 0 ? nullptr : &kCountries.countries[row - 1u];
}

}  // namespace quandor::iban_registry
