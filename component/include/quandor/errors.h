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
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "quandor/codes.def"
#include "quandor/export.h"

namespace quandor {

/// Outcome of the last operation of an object; the codes and their meanings
/// are listed in quandor/codes.def.
enum ValidateError : int32_t { QUANDOR_ERRORS(QUANDOR_CPP_ENUMERATOR) };

/// How tolerant the input checks are of characters other than digits.
/// Any other value behaves as qdStrictnessNormal for bank connections.
enum ValidateStrictness : int32_t { QUANDOR_STRICTNESS(QUANDOR_CPP_ENUMERATOR) };

/// The set of check methods (Banking) and card rules (Creditcard) an object
/// applies. qdRulesOriginal, the default, is the component's behaviour as first
/// built; qdRulesCurrent follows the Deutsche Bundesbank's check methods of
/// today (00 to 99 and A0 to E4). Any other value behaves as qdRulesOriginal.
enum ValidateRules : int32_t { QUANDOR_RULES(QUANDOR_CPP_ENUMERATOR) };

/// Fields searched by Banking::SearchBankByText; flags may be added together:
/// qdSearchAll the whole line of the bank code file, qdSearchBLZ the bank code
/// (compared exactly), qdSearchName the bank name and qdSearchCity the city
/// (case ignored).
enum ValidateSearchOption : int32_t { QUANDOR_SEARCH_FIELDS(QUANDOR_CPP_ENUMERATOR) };

/// The language of a message. German is the component's own; English is
/// offered for hosts whose users do not read German.
enum class TextLanguage { kGerman, kEnglish };

/// The language named "de" or "en"; nothing for any other name.
QUANDOR_EXPORT std::optional<TextLanguage> TextLanguageByName(std::string_view name);

/// The German message of an error code: "Kein Fehler" for qdNoError, ...
/// qdNoBankFound gives "Keine Bank gefunden"; a value that is no code gives "".
QUANDOR_EXPORT std::string GetErrorText(int32_t nCode);
/// The message of an error code in lang; "" for a value that is no code.
QUANDOR_EXPORT std::string GetErrorText(int32_t nCode, TextLanguage lang);

/// Thrown by the text search members of Banking when a found record has fewer
/// than four fields. No other member throws it.
class QUANDOR_EXPORT MalformedRecordError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quandor

#endif  // QUANDOR_ERRORS_H_
