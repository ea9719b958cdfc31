// Every country of the IBAN registry: IBANs built from its BBAN structure,
// and each way of breaking that structure.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>

#include "iban_registry.h"
#include "quandor/iban.h"

namespace quandor {
namespace {

// The kind of each BBAN position, read from the structure on its own:
// "2!n,1!c" gives "nnc".
std::string KindsOf(std::string_view structure) {
  std::string kinds;
  while (!structure.empty()) {
    const std::size_t bang = structure.find('!');
    const int count = std::stoi(std::string(structure.substr(0, bang)));
    kinds.append(static_cast<std::size_t>(count), structure[bang + 1]);
    structure.remove_prefix(std::min(structure.size(), bang + 3));  // "!k,"
  }
  return kinds;
}

// The country code, right check digits (ISO 7064 MOD 97-10) and the BBAN.
std::string WithCheckDigits(std::string_view country, std::string_view bban) {
  int remainder = 0;
  for (char ch : std::string(bban) + std::string(country) + "00") {
    remainder =
        ch <= '9' ? (remainder * 10 + ch - '0') % 97 : (remainder * 100 + ch - 'A' + 10) % 97;
  }
  const int check = 98 - remainder;
  return std::string(country) + static_cast<char>('0' + check / 10) +
         static_cast<char>('0' + check % 10) + std::string(bban);
}

constexpr std::string_view kEither = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigits = kEither.substr(0, 10);
constexpr std::string_view kLetters = kEither.substr(10);

TEST(IbanRegistry, EveryCountryTakesItsStructureAndRefusesItsBreaks) {
  std::mt19937 random(13616);
  auto pick = [&random](std::string_view from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  const auto rows = iban_registry::RegistryRows();
  EXPECT_EQ(rows.size(), 97u);
  for (const iban_registry::RegistryRow& row : rows) {
    const std::string kinds = KindsOf(row.bban);
    ASSERT_EQ(kinds.size() + 4, static_cast<std::size_t>(row.iban_length)) << row.country;
    EXPECT_EQ(IbanLength(row.country), row.iban_length) << row.country;

    std::string bban;
    for (char kind : kinds) {
      bban += pick(kind == 'n' ? kDigits : kind == 'a' ? kLetters : kEither);
    }
    const std::string iban = WithCheckDigits(row.country, bban);
    EXPECT_EQ(CheckIban(iban).nIbanError, qdIbanOk) << iban;
    EXPECT_EQ(CheckIban(iban.substr(0, iban.size() - 1)).nIbanError, qdIbanWrongLength) << iban;

    // A character changed within its kind keeps the structure and fails the check digits.
    std::string changed = iban;
    const std::size_t at =
        4 + std::uniform_int_distribution<std::size_t>(0, bban.size() - 1)(random);
    const std::string_view same_kind = changed[at] <= '9' ? kDigits : kLetters;
    changed[at] = same_kind[(same_kind.find(changed[at]) + 1) % same_kind.size()];
    EXPECT_EQ(CheckIban(changed).nIbanError, qdIbanWrongCheckDigits) << changed;

    // A letter where only digits go, or a digit where only letters go, is
    // refused even with check digits made right for it.
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      if (kinds[i] == 'c') continue;
      std::string broken = bban;
      broken[i] = kinds[i] == 'n' ? pick(kLetters) : pick(kDigits);
      const std::string wrong = WithCheckDigits(row.country, broken);
      EXPECT_EQ(CheckIban(wrong).nIbanError, qdIbanIncorrectly) << wrong;
    }
  }
}

}  // namespace
}  // namespace quandor
