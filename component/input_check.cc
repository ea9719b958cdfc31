#include "input_check.h"

#include <exception>

#include "quandor/errors.h"

namespace quandor {
namespace {

// Values outside the enumeration behave as qdStrictnessNormal.
int32_t EffectiveStrictness(int32_t nStrictness) {
  return nStrictness >= qdStrictnessLow && nStrictness <= qdStrictnessRestrictive
             ? nStrictness
             : qdStrictnessNormal;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == text.npos; }

bool IsAccountSeparator(char c) { return c == ' ' || c == '/' || c == '-'; }

// "37050198" -> "370 501 98"; shorter texts give shorter groups, anything
// after the eighth character is dropped.
void GroupBankNumber(std::string& text) {
  char grouped[10];
  std::size_t n = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 3 || i == 6) grouped[n++] = ' ';
    if (i < text.size()) grouped[n++] = text[i];
  }
  text.assign(grouped, n);
}

bool CheckBankNumberUnguarded(std::string_view sBLZ, DigitList& digits, int32_t strictness,
                              CheckedTexts& out) {
  if (IsBlank(sBLZ)) {
    out.last_error = qdBankNumberMissing;
    return false;
  }
  digits.clear();
  out.bank_number.clear();
  for (char c : sBLZ) {
    if (IsDigit(c)) {
      AppendToArray(digits, c - '0');
      out.bank_number += c;
    } else if (strictness == qdStrictnessLow) {
      out.bank_number += c;
    } else if (c == ' ') {
      continue;
    } else if (strictness == qdStrictnessStrict || strictness == qdStrictnessRestrictive) {
      out.last_error = qdBankNumberIncorrectly;
      return false;
    }
  }
  if (strictness == qdStrictnessNormal || strictness == qdStrictnessStrict) {
    GroupBankNumber(out.bank_number);
  }
  if (digits.empty()) {
    out.last_error = qdBankNumberMissing;
  } else if (digits.size() != 8) {
    out.last_error = qdBankNumberWrongDigits;
  }
  return out.last_error == qdNoError;
}

bool CheckAccountNumberUnguarded(std::string_view sKontoNr, DigitList& digits, int32_t strictness,
                                 CheckedTexts& out) {
  if (IsBlank(sKontoNr)) {
    out.last_error = qdAccountNumberMissing;
    return false;
  }
  out.account_number.clear();
  for (char c : sKontoNr) {
    if (IsDigit(c)) {
      AppendToArray(digits, c - '0');
      out.account_number += c;
    } else if (IsAccountSeparator(c)) {
      if (strictness != qdStrictnessRestrictive) out.account_number += c;
    } else if (strictness == qdStrictnessStrict || strictness == qdStrictnessRestrictive) {
      out.last_error = qdAccountNumberIncorrectly;
      return false;
    } else if (strictness == qdStrictnessLow) {
      out.account_number += c;
    }
  }
  if (digits.empty()) {
    out.last_error = qdAccountNumberMissing;
  } else if (digits.size() > 10) {
    out.last_error = qdAccountNumberWrongDigits;
  } else {
    PadArrayLeft(digits, 0, 9);
  }
  return out.last_error == qdNoError;
}

}  // namespace

bool CheckBankNumber(std::string_view sBLZ, DigitList& digits, int32_t nStrictness,
                     CheckedTexts& out) {
  try {
    return CheckBankNumberUnguarded(sBLZ, digits, EffectiveStrictness(nStrictness), out);
  } catch (const std::exception&) {
    out.last_error = qdUnknownError;
    return false;
  }
}

bool CheckAccountNumber(std::string_view sKontoNr, DigitList& account_digits, int32_t nStrictness,
                        CheckedTexts& out) {
  try {
    return CheckAccountNumberUnguarded(sKontoNr, account_digits, EffectiveStrictness(nStrictness),
                                       out);
  } catch (const std::exception&) {
    out.last_error = qdUnknownError;
    return false;
  }
}

bool CheckInput(std::string_view sBLZ, std::string_view sKontoNr, DigitList& bank_digits,
                DigitList& account_digits, int32_t nStrictness, CheckedTexts& out) {
  if (!CheckBankNumber(sBLZ, bank_digits, nStrictness, out)) return false;
  return CheckAccountNumber(sKontoNr, account_digits, nStrictness, out);
}

}  // namespace quandor
