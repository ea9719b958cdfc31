#include "quandor/iban.h"

#include <algorithm>
#include <array>

#include "iban_registry.h"

namespace quandor {

namespace {

constexpr std::string_view kGermany = "DE";
constexpr std::size_t kGermanBankCodeDigits = 8;
constexpr std::size_t kGermanAccountDigits = 10;

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsUpper(char ch) { return ch >= 'A' && ch <= 'Z'; }
bool IsLower(char ch) { return ch >= 'a' && ch <= 'z'; }
bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

bool AllDigits(std::string_view text) { return std::ranges::all_of(text, IsDigit); }

// The electronic form of an IBAN: blanks dropped, letters in upper case. False
// at the first character that is neither a letter, a digit nor a blank.
bool ToElectronicForm(std::string_view input, std::string& out) {
  out.clear();
  out.reserve(input.size());
  for (char ch : input) {
    if (IsBlank(ch)) continue;
    if (IsLower(ch)) ch = static_cast<char>(ch - 'a' + 'A');
    if (!IsDigit(ch) && !IsUpper(ch)) return false;
    out.push_back(ch);
  }
  return true;
}

// ISO 7064 MOD 97-10 over the IBAN moved to BBAN + country + check digits,
// letters counting as 10 to 35. One character at a time, so no big number is
// ever built.
int Mod97(std::string_view iban) {
  int remainder = 0;
  auto feed = [&remainder](char ch) {
    remainder =
        IsDigit(ch) ? (remainder * 10 + (ch - '0')) % 97 : (remainder * 100 + (ch - 'A' + 10)) % 97;
  };
  for (char ch : iban.substr(4)) feed(ch);
  for (char ch : iban.substr(0, 4)) feed(ch);
  return remainder;
}

IbanError CheckElectronicForm(std::string_view iban) {
  if (iban.empty()) return qdIbanMissing;
  if (iban.size() < 2 || !IsUpper(iban[0]) || !IsUpper(iban[1])) return qdIbanIncorrectly;
  const iban_registry::Country* country = iban_registry::FindCountry(iban.substr(0, 2));
  if (country == nullptr) return qdIbanCountryUnknown;
  if (iban.size() != country->length) return qdIbanWrongLength;
  const std::string_view check = iban.substr(2, 2);
  if (!AllDigits(check) || !country->BbanFits(iban.substr(4))) return qdIbanIncorrectly;
  // 00, 01 and 99 satisfy the remainder when 97, 98 and 02 would, but are
  // never issued.
  if (check == "00" || check == "01" || check == "99") return qdIbanWrongCheckDigits;
  if (Mod97(iban) != 1) return qdIbanWrongCheckDigits;
  return qdIbanOk;
}

// What a part of a bank connection may hold, as Banking's restrictive
// strictness sees it, and the codes of its failures.
struct DigitField {
  std::string_view separators;  // dropped
  std::size_t min_digits;
  std::size_t max_digits;
  ValidateError missing;
  ValidateError incorrectly;
  ValidateError wrong_digits;
};

constexpr DigitField kBankCodeField = {" ",
                                       kGermanBankCodeDigits,
                                       kGermanBankCodeDigits,
                                       qdBankNumberMissing,
                                       qdBankNumberIncorrectly,
                                       qdBankNumberWrongDigits};
constexpr DigitField kAccountField = {" /-",
                                      1,
                                      kGermanAccountDigits,
                                      qdAccountNumberMissing,
                                      qdAccountNumberIncorrectly,
                                      qdAccountNumberWrongDigits};

ValidateError CollectDigits(std::string_view input, const DigitField& field, std::string& digits) {
  digits.clear();
  for (char ch : input) {
    if (IsDigit(ch)) {
      digits.push_back(ch);
    } else if (field.separators.find(ch) == std::string_view::npos) {
      return field.incorrectly;
    }
  }
  if (digits.empty()) return field.missing;
  if (digits.size() < field.min_digits || digits.size() > field.max_digits) {
    return field.wrong_digits;
  }
  return qdNoError;
}

}  // namespace

int IbanLength(std::string_view sCountry) {
  const iban_registry::Country* country = iban_registry::FindCountry(sCountry);
  return country != nullptr ? static_cast<int>(country->length) : 0;
}

bool IbanResult::BankNumberFailed() const {
  switch (nAccountError) {
    case qdBankNumberMissing:
    case qdBankNumberWrongDigits:
    case qdBankNumberIncorrectly:
    case qdBankNumberUnknown:
    case qdBankNumberFileMissing:
      return true;
    default:
      return false;
  }
}

bool IbanResult::AccountNumberFailed() const {
  switch (nAccountError) {
    case qdWrongCheckDigit:
    case qdAccountNumberMissing:
    case qdAccountNumberWrongDigits:
    case qdAccountNumberIncorrectly:
      return true;
    default:
      return false;
  }
}

IbanResult CheckIban(std::string_view sIban) {
  IbanResult result;
  if (!ToElectronicForm(sIban, result.sIban)) {
    result.sIban.clear();
    result.nIbanError = qdIbanIncorrectly;
    return result;
  }
  result.nIbanError = CheckElectronicForm(result.sIban);
  if (result.IbanOk() && result.sIban.starts_with(kGermany)) {
    const std::string_view bban = std::string_view(result.sIban).substr(4);
    result.sBankNumber = bban.substr(0, kGermanBankCodeDigits);
    result.sAccountNumber = bban.substr(kGermanBankCodeDigits, kGermanAccountDigits);
  }
  return result;
}

IbanResult ValidateIban(std::string_view sIban, Banking& oBanking) {
  IbanResult result = CheckIban(sIban);
  if (!result.sBankNumber.empty()) {
    oBanking.Validate(result.sBankNumber, result.sAccountNumber);
    result.nAccountError = oBanking.LastError();
  }
  return result;
}

std::string MakeGermanIban(std::string_view sBLZ, std::string_view sKontoNr, Banking& oBanking,
                           ValidateError* pError, bool bForce) {
  std::string bank_code;
  std::string account;
  ValidateError error = CollectDigits(sBLZ, kBankCodeField, bank_code);
  if (error == qdNoError) error = CollectDigits(sKontoNr, kAccountField, account);
  if (error == qdNoError && !bForce && !oBanking.Validate(bank_code, account)) {
    error = static_cast<ValidateError>(oBanking.LastError());
  }
  if (pError != nullptr) *pError = error;
  if (error != qdNoError && error != qdTestingMethodUnknown) return "";

  std::string iban;
  iban.reserve(4 + kGermanBankCodeDigits + kGermanAccountDigits);
  iban.append(kGermany).append("00").append(bank_code);
  iban.append(kGermanAccountDigits - account.size(), '0').append(account);
  const int check = 98 - Mod97(iban);
  iban[2] = static_cast<char>('0' + check / 10);
  iban[3] = static_cast<char>('0' + check % 10);
  return iban;
}

std::string MakeGermanIban(std::string_view sBLZ, std::string_view sKontoNr, ValidateError* pError,
                           bool bForce) {
  Banking banking;
  return MakeGermanIban(sBLZ, sKontoNr, banking, pError, bForce);
}

std::string FormatIban(std::string_view sIban) {
  std::string compact;
  if (!ToElectronicForm(sIban, compact)) return std::string(sIban);
  std::string paper;
  paper.reserve(compact.size() + compact.size() / 4);
  for (std::size_t i = 0; i < compact.size(); ++i) {
    if (i > 0 && i % 4 == 0) paper.push_back(' ');
    paper.push_back(compact[i]);
  }
  return paper;
}

}  // namespace quandor
