// The input checks of Banking: extract the digits of a bank code and an
// account number, decide which other characters the strictness level
// tolerates, and build the display texts BankNumber and AccountNumber.
#ifndef QUANDOR_INPUT_CHECK_H_
#define QUANDOR_INPUT_CHECK_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "digit_list.h"

namespace quandor {

// What the checks write besides the digit lists: the object's display texts
// and its error code. The caller empties the texts and sets the error code to
// qdNoError beforehand; a check records a failure code and otherwise leaves
// the error code alone.
struct CheckedTexts {
  std::string& bank_number;     // BankNumber
  std::string& account_number;  // AccountNumber
  int32_t& last_error;          // LastError
};

// Bank code text -> digits (exactly eight when it passes) and BankNumber.
// Failures: qdBankNumberMissing, qdBankNumberIncorrectly,
// qdBankNumberWrongDigits; qdUnknownError for an unexpected one. True
// exactly when last_error is still qdNoError at the end.
bool CheckBankNumber(std::string_view sBLZ, DigitList& digits, int32_t nStrictness,
                     CheckedTexts& out);

// Account number text -> AccountDigits (ten digits, leading zeros added) and
// AccountNumber. Failures: qdAccountNumberMissing,
// qdAccountNumberIncorrectly, qdAccountNumberWrongDigits; qdUnknownError.
bool CheckAccountNumber(std::string_view sKontoNr, DigitList& account_digits, int32_t nStrictness,
                        CheckedTexts& out);

// Both checks; the account number only when the bank code passed.
bool CheckInput(std::string_view sBLZ, std::string_view sKontoNr, DigitList& bank_digits,
                DigitList& account_digits, int32_t nStrictness, CheckedTexts& out);

}  // namespace quandor

#endif  // QUANDOR_INPUT_CHECK_H_
