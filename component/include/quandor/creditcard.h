/// @file
/// Creditcard: tests a card number against its company's number prefix and length.
///
///   quandor::Creditcard card;
///   card.Strictness(quandor::qdStrictnessNormal);
///   bool ok = card.Validate(quandor::ccVisa, "4111 1111 1111 1111");
///
/// Under the original rules (the default) no check digit is computed; under
/// Rules(qdRulesCurrent) the number must also pass the Luhn check and today's
/// prefixes and lengths. Failures are never thrown: they are recorded in
/// LastError. Texts are UTF-8.
#ifndef QUANDOR_CREDITCARD_H_
#define QUANDOR_CREDITCARD_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "quandor/errors.h"
#include "quandor/export.h"

namespace quandor {

/// The card companies (ccVisa, ccMasterCard, ccEuroCard, ccAmericanExpress,
/// ccDinersClub, ccDiscover; quandor/codes.def) and the rule their numbers must
/// meet. Under the original rules: Visa 4 with 13 or 16 digits; Mastercard
/// 51-55 with 16; Eurocard 5 with 16; American Express 34 or 37 with 15; Diners
/// Club 300-305 with 14, or 36 or 38 with any length; Discover 6011 with 16.
/// Under qdRulesCurrent: Visa 4 with 13, 16 or 19 digits; Mastercard and
/// Eurocard 51-55 or 2221-2720 with 16; American Express 34 or 37 with 15;
/// Diners Club 300-305, 3095, 36, 38 or 39 with 14 to 19; Discover 6011,
/// 622126-622925, 644-649 or 65 with 16 to 19.
enum CardCompanies : int32_t { QUANDOR_CARD_COMPANIES(QUANDOR_CPP_ENUMERATOR) };

class QUANDOR_EXPORT Creditcard {
 public:
  Creditcard();  ///< Strictness qdStrictnessLow, Rules GetDefaultRules(), reset state
  ~Creditcard();
  Creditcard(const Creditcard&) = delete;
  Creditcard& operator=(const Creditcard&) = delete;

  /// CardNumber and CompanyName become "", CompanyNumber ccVisa, LastError
  /// qdNoValidation. Strictness and Rules are kept.
  void Reset();
  /// Shows the component's info box modally, the same one as Banking::ShowInfo.
  /// Returns at once without effect when no display is available or the info
  /// box module (libquandor_infobox.so, beside the library or in its
  /// subdirectory quandor/) cannot be loaded.
  void ShowInfo();

  const std::string& CompanyName() const;  ///< always ""
  /// The typed text as the last Validate scanned it: digits, separators unless
  /// Strictness is qdStrictnessRestrictive, other characters at qdStrictnessLow.
  const std::string& CardNumber() const;
  CardCompanies CompanyNumber() const;  ///< always ccVisa: no operation sets it
  ValidateError LastError() const;
  bool Validated() const;  ///< a Validate ran since creation or Reset, whatever its outcome

  void Strictness(int32_t vNewValue);  ///< stored unchecked
  int32_t Strictness() const;
  /// ValidateRules: qdRulesCurrent adds the Luhn check and today's ranges; any
  /// other value behaves as qdRulesOriginal. Stored unchecked.
  void Rules(int32_t vNewValue);
  int32_t Rules() const;

  std::string Version() const;          ///< "major.minor.revision"
  std::string CopyrightNotice() const;  ///< "Copyright " followed by the copyright entry
  std::string LastErrorString() const;  ///< German message of LastError

  /// Scans sCardNr at the object's strictness and tests the digits against the
  /// prefix and length rule of company nCompany (ccVisa .. ccDiscover), and
  /// under qdRulesCurrent the Luhn check digit. Returns true with LastError
  /// qdNoError, or false with
  ///   qdCardNumberIncorrectly  a character that the strictness forbids
  ///                            (strictness 2, 3 or any value outside 0..3);
  ///   qdCompanyNumberUnknown   nCompany outside 0..5;
  ///   qdCardWrongCheckDigit    prefix or length wrong (an empty number too),
  ///                            or the Luhn check failed (qdRulesCurrent);
  ///   qdUnknownError           an unexpected failure, e.g. a text of 32,767 or
  ///                            more characters: the scan counts positions in
  ///                            16 bits and stops after the 32,767th.
  /// Space, "/" and "-" are separators and never an error. Never throws.
  bool Validate(int32_t nCompany, std::string_view sCardNr);

 private:
  std::string sCompanyNumber = "0";
  std::string sCompanyName;
  std::string sCardNumber;
  int32_t nStrictness = qdStrictnessLow;
  int32_t nRules = qdRulesOriginal;
  int32_t nLastError = qdNoValidation;
};

}  // namespace quandor

#endif  // QUANDOR_CREDITCARD_H_
