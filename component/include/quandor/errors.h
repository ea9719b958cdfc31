/// @file
/// Error codes, strictness levels and search options shared by Banking and Creditcard.
///
/// Ordinary failures are never thrown: an operation records a ValidateError in
/// its object (LastError) and returns false or an empty value. The one exception
/// type of the library, MalformedRecordError, is thrown only where a member is
/// documented to raise a failure to its caller.
#ifndef QUANDOR_ERRORS_H_
#define QUANDOR_ERRORS_H_

#include <cstdint>
#include <stdexcept>
#include <string>

#include "quandor/export.h"

namespace quandor {

/// Outcome of the last operation of an object. Values are part of the interface.
enum ValidateError : int32_t {
  qdNoValidation = 0,               ///< nothing checked since creation or Reset
  qdNoError = 1,                    ///< the last operation succeeded
  qdWrongCheckDigit = 2,            ///< account number fails the bank's check digit method
  qdBankNumberMissing = 3,          ///< bank code empty, blank or without digits
  qdAccountNumberMissing = 4,       ///< account number empty, blank or without digits
  qdBankNumberWrongDigits = 5,      ///< bank code has not exactly eight digits
  qdAccountNumberWrongDigits = 6,   ///< account number has more than ten digits
  qdBankNumberUnknown = 7,          ///< bank code not in the bank code file
  qdTestingMethodUnknown = 8,       ///< no check method for the bank's method number
  qdBankNumberFileMissing = 9,      ///< bank code file cannot be opened
  qdAccountNumberIncorrectly = 10,  ///< account number has a forbidden character
  qdBankNumberIncorrectly = 11,     ///< bank code has a forbidden character
  qdCardWrongCheckDigit = 102,      ///< card number fails its company's prefix or length rule
  qdCardCompanyMissing = 103,       ///< reserved; never recorded
  qdCardNumberMissing = 104,        ///< reserved; never recorded
  qdCompanyNumberUnknown = 107,     ///< card company outside 0 to 5
  qdCardNumberIncorrectly = 110,    ///< card number has a forbidden character
  qdNoBankFound = 200,              ///< a text search found nothing
  qdUnknownError = 255,             ///< an unexpected failure inside an operation
};

/// How tolerant the input checks are of characters other than digits.
/// Any other value behaves as qdStrictnessNormal for bank connections.
enum ValidateStrictness : int32_t {
  qdStrictnessLow = 0,
  qdStrictnessNormal = 1,
  qdStrictnessStrict = 2,
  qdStrictnessRestrictive = 3,
};

/// The set of check methods (Banking) and card rules (Creditcard) an object
/// applies. qdRulesOriginal, the default, is the component's behaviour as first
/// built; qdRulesCurrent follows the Deutsche Bundesbank's check methods of
/// today (00 to 99 and A0 to E4). Any other value behaves as qdRulesOriginal.
enum ValidateRules : int32_t {
  qdRulesOriginal = 0,
  qdRulesCurrent = 1,
};

/// Fields searched by Banking::SearchBankByText; flags may be added together.
enum ValidateSearchOption : int32_t {
  qdSearchAll = 0,   ///< the whole line of the bank code file
  qdSearchBLZ = 1,   ///< the bank code (compared exactly)
  qdSearchName = 2,  ///< the bank name (case ignored)
  qdSearchCity = 4,  ///< the city (case ignored)
};

/// The German message of an error code: "Kein Fehler" for qdNoError, ...
/// qdNoBankFound gives "Keine Bank gefunden"; a value that is no code gives "".
QUANDOR_EXPORT std::string GetErrorText(int32_t nCode);

/// Thrown by the text search members of Banking when a found record has fewer
/// than four fields. No other member throws it.
class QUANDOR_EXPORT MalformedRecordError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quandor

#endif  // QUANDOR_ERRORS_H_
