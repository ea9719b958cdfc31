/// @file
/// IBAN checks and German IBANs, beside Banking.
///
/// @code
///   quandor::Banking banking;
///   quandor::IbanResult r = quandor::ValidateIban("DE89 3704 0044 0532 0130 00", banking);
///   if (!r.IbanOk()) { ... quandor::GetIbanErrorText(r.nIbanError) ... }
///   else if (!r.Valid()) { ... quandor::GetErrorText(r.nAccountError) ... }
///
///   std::string iban = quandor::MakeGermanIban("370 400 44", "532013000", banking);
///   // "DE89370400440532013000"
/// @endcode
///
/// An IBAN is accepted with or without blanks and in any case. Its form is
/// checked against the registry length of its country (the countries of the
/// SEPA area are known) and its check digits by ISO 13616 (ISO 7064 MOD 97-10).
/// For a German IBAN the embedded bank code and account number are further
/// checked with Banking::Validate, so an IBAN with right check digits can still
/// name an unknown bank or an account number that its bank's method rejects.
///
/// The functions keep no state and may be called from any thread; the Banking
/// object passed to ValidateIban is used as documented in banking.h (by the
/// thread that created it, one call at a time).
#ifndef QUANDOR_IBAN_H_
#define QUANDOR_IBAN_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "quandor/banking.h"
#include "quandor/errors.h"
#include "quandor/export.h"

namespace quandor {

/// Verdict on the form and the check digits of an IBAN; the verdicts and
/// their meanings are listed in quandor/codes.def.
enum IbanError : int32_t { QUANDOR_IBAN_ERRORS(QUANDOR_CPP_ENUMERATOR) };

/// The German message of an IBAN verdict ("Kein Fehler" for qdIbanOk);
/// "" for a value that is no IbanError.
QUANDOR_EXPORT std::string GetIbanErrorText(int32_t nCode);
/// The message of an IBAN verdict in lang; "" for a value that is no IbanError.
QUANDOR_EXPORT std::string GetIbanErrorText(int32_t nCode, TextLanguage lang);

/// Registry length of the IBANs of a country, by its upper-case ISO 3166 code
/// ("DE" gives 22); 0 for a country that is not known.
QUANDOR_EXPORT int IbanLength(std::string_view sCountry);

/// Outcome of CheckIban or ValidateIban.
struct QUANDOR_EXPORT IbanResult {
  /// Form and check digits of the IBAN.
  IbanError nIbanError = qdIbanMissing;
  /// The IBAN in electronic form: blanks removed, letters in upper case.
  /// Filled whenever the input holds only letters, digits and blanks.
  std::string sIban;
  /// German IBAN with right form and check digits: the embedded bank code (8 digits) and
  /// account number (10 digits, with leading zeros). "" otherwise.
  std::string sBankNumber;
  std::string sAccountNumber;
  /// LastError of the Banking object after it checked sBankNumber and
  /// sAccountNumber; qdNoValidation when they were not checked (CheckIban,
  /// an IBAN of another country, or an IBAN whose form or check digits failed).
  ValidateError nAccountError = qdNoValidation;

  /// Form and check digits are right.
  bool IbanOk() const { return nIbanError == qdIbanOk; }
  /// The embedded bank connection was checked and passed.
  bool AccountOk() const { return nAccountError == qdNoError; }
  /// The embedded bank connection was checked and failed for its bank code
  /// (unknown bank code, missing bank code file).
  bool BankNumberFailed() const;
  /// The embedded bank connection was checked and failed for its account
  /// number (qdWrongCheckDigit). Neither this nor BankNumberFailed holds when
  /// the check could not decide (qdTestingMethodUnknown, qdUnknownError).
  bool AccountNumberFailed() const;
  /// The IBAN is right, and so is its bank connection where one was checked.
  bool Valid() const { return IbanOk() && (nAccountError == qdNoValidation || AccountOk()); }
  /// Valid, or right form and check digits whose bank has no check method in
  /// the chosen rules (qdTestingMethodUnknown): the verdict of quandor-check
  /// iban, the C interface and the Python package, for which an account that
  /// cannot be checked does not make its IBAN wrong.
  bool ValidOrUncheckable() const {
    return Valid() || (IbanOk() && nAccountError == qdTestingMethodUnknown);
  }
};

/// Checks the form and the check digits of an IBAN of any known country. For
/// a German IBAN it fills the bank code and account number but checks neither.
QUANDOR_EXPORT IbanResult CheckIban(std::string_view sIban);

/// CheckIban, and for a German IBAN whose form and check digits are right,
/// oBanking.Validate(bank code, account number); its LastError becomes
/// nAccountError. The Banking object is the caller's so that its Strictness and
/// Rules apply; the call leaves in it the state that Validate
/// leaves (bank name, city, UsedTestingMethod ...). A Banking object created
/// without the bank code file refuses (nAccountError qdBankNumberFileMissing).
QUANDOR_EXPORT IbanResult ValidateIban(std::string_view sIban, Banking& oBanking);

/// Builds the German IBAN of a bank connection in electronic form, from the bank
/// code (exactly eight digits) and the account number (one to ten digits), as
/// Banking's qdStrictnessRestrictive reads them: blanks in the bank code and
/// " ", "/", "-" in the account number are dropped, any other character is
/// rejected.
///
/// An IBAN is built only for a bank connection that oBanking's Validate
/// accepts (its strictness and rules apply; it keeps the state Validate
/// leaves): payment data made from an unknown bank code or a mistyped account
/// number fails later and elsewhere. A bank with no check method in the rules
/// gets its IBAN, with *pError qdTestingMethodUnknown as a note. With bForce
/// only the digits are checked.
///
/// Returns "" for input it refuses, and puts the reason into *pError when
/// given: the digit errors (qdBankNumberMissing, qdBankNumberWrongDigits,
/// qdBankNumberIncorrectly and their account number counterparts), or what
/// Validate reported (qdBankNumberUnknown, qdWrongCheckDigit,
/// qdBankNumberFileMissing ...); qdNoError on success.
///
/// The IBAN is the plain one of the national rule (bank code and zero-padded
/// account number). Some banks publish their own IBAN rules (replaced bank
/// codes, accounts moved, sub-accounts); these are not applied, so for such a
/// bank the result may differ from the IBAN the bank itself issues.
QUANDOR_EXPORT std::string MakeGermanIban(std::string_view sBLZ, std::string_view sKontoNr,
                                          Banking& oBanking, ValidateError* pError = nullptr,
                                          bool bForce = false);

/// MakeGermanIban with a Banking object of its own (the component's default
/// strictness and rules, GetDefaultRules()).
QUANDOR_EXPORT std::string MakeGermanIban(std::string_view sBLZ, std::string_view sKontoNr,
                                          ValidateError* pError = nullptr, bool bForce = false);

/// The paper form of an IBAN: electronic form in groups of four characters
/// separated by one blank ("DE89 3704 0044 0532 0130 00"). Input as for CheckIban;
/// an input with characters other than letters, digits and blanks is returned unchanged.
QUANDOR_EXPORT std::string FormatIban(std::string_view sIban);

}  // namespace quandor

#endif  // QUANDOR_IBAN_H_
