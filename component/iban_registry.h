// The IBAN registry (ISO 13616): every country and territory that issues
// IBANs, with the length of its IBAN and the structure of its BBAN, the part
// after country code and check digits. Constant data, read when the component
// is compiled.
#ifndef QUANDOR_IBAN_REGISTRY_H_
#define QUANDOR_IBAN_REGISTRY_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quandor::iban_registry {

// One row as the registry publishes it. The structure is a list of parts
// joined by ",", each "<count>!<kind>": that many characters of the kind,
// n digits, a upper-case letters, c either ("4!a,14!n").
struct RegistryRow {
  std::string_view country;  // ISO 3166 code, two upper-case letters
  int iban_length;           // characters of the whole IBAN
  std::string_view bban;     // structure of the BBAN
};

// Every row, sorted by country code.
std::span<const RegistryRow> RegistryRows();

// The longest IBAN ISO 13616 allows.
inline constexpr std::size_t kMaxIbanLength = 34;

// A row in the form the check runs on: the BBAN positions restricted to one
// kind of character, as bits (position 0 the lowest); positions in neither
// mask take a digit or a letter.
struct Country {
  std::string_view code;
  std::size_t length = 0;
  uint32_t digits_only = 0;
  uint32_t letters_only = 0;

  // Whether a BBAN in electronic form (digits and upper-case letters only)
  // has the country's length and structure.
  bool BbanFits(std::string_view bban) const;
};

static_assert(kMaxIbanLength - 4 <= 32, "a BBAN position is a bit of uint32_t");

// The country of an upper-case ISO 3166 code, or nullptr.
const Country* FindCountry(std::string_view code);

}  // namespace quandor::iban_registry

#endif  // QUANDOR_IBAN_REGISTRY_H_
