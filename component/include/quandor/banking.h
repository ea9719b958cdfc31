/// @file
/// Banking: validates German bank connections and looks banks up in the bank code file.
///
///   quandor::Banking banking;
///   if (banking.Validate("370 501 98", "1234567890")) { ... }
///   std::cout << banking.LastErrorString() << '\n';   // "Kein Fehler"
///
/// A host creates an object, optionally sets Strictness, calls an operation and
/// reads the outcome from the properties. Ordinary failures (bad input, unknown
/// bank code, missing bank code file, no search hits) are never thrown: the
/// object records a ValidateError in LastError and returns false or an empty
/// value. Texts are UTF-8.
///
/// The bank code file "blz.txt" is found in the directory named by the
/// environment variable QUANDOR_DATA_DIR, else by the setting "filepath" in
/// section [path] of $XDG_CONFIG_HOME/Quandor/Quandor.ini (a relative one from
/// that file's directory, "~" at its start for $HOME), else beside the library
/// itself, else where the install puts it (/usr/share/quandor for the
/// packages). The first Banking
/// object of the process reads the file into one snapshot that every thread
/// shares; the first lookup after the file changed reads it again, once. A host that
/// checks many rows can spare the look at the file per lookup by pinning one
/// version of it (quandor/bank_file_pin.h).
///
/// An object belongs to the thread that created it; calls on one object must
/// not overlap. Objects of different threads are independent.
#ifndef QUANDOR_BANKING_H_
#define QUANDOR_BANKING_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quandor/errors.h"
#include "quandor/export.h"

namespace quandor {

/// The directory in which Banking objects look for the bank code file "blz.txt"
/// at this moment, ending in "/": QUANDOR_DATA_DIR, else the setting, else the
/// library's own directory (see above). Empty when the settings file is there
/// but cannot be read whole (a line too long for the INI reader, over 1 MiB):
/// it is refused rather than cut, and lookups find no bank code file. A host that wants one run to
/// use one file throughout may set QUANDOR_DATA_DIR to it before creating objects, which also
/// spares every lookup a look at the settings file.
QUANDOR_EXPORT std::string GetDataPath();

/// The rules that new Banking and Creditcard objects apply (ValidateRules):
/// QUANDOR_RULES ("current" or "original", case ignored), else the setting
/// "rules" in section [check] of the settings file, else qdRulesOriginal.
/// An unrecognised value counts as absent.
QUANDOR_EXPORT int32_t GetDefaultRules();

/// As GetDefaultRules, with nFallback in place of qdRulesOriginal when neither
/// QUANDOR_RULES nor the settings file names rules: for a host whose own
/// default differs from the component's (the command-line tool answers by
/// today's rules).
QUANDOR_EXPORT int32_t GetDefaultRules(int32_t nFallback);

/// The Deutsche Bundesbank's code of a method number as UsedTestingMethod
/// reports it: "00" to "99", and "A0" to "E9" for 100 to 149 (the bank code
/// file's converter writes A0 as 100, A4 as 104, E4 as 144). Any other
/// number gives its decimal text; a negative one (no method) gives "".
QUANDOR_EXPORT std::string TestingMethodCode(int32_t nMethod);

class QUANDOR_EXPORT Banking {
 public:
  /// Strictness qdStrictnessNormal, reset state, and the process's bank data
  /// brought up to date. LastError is qdNoValidation, or qdBankNumberFileMissing when the
  /// bank code file cannot be opened (Validate then refuses until a Reset).
  Banking();
  ~Banking();
  Banking(const Banking&) = delete;
  Banking& operator=(const Banking&) = delete;

  /// Empties the bank texts, sets UsedTestingMethod to -1 and LastError to
  /// qdNoValidation. Strictness, Rules and the text search results stay.
  void Reset();

  /// Shows the component's info box and returns when the user has closed it.
  /// Returns at once, without effect, where no display or GUI module is available.
  void ShowInfo();

  /// The bank of the last operation: name, city, and the fourth field of its record.
  const std::string& BankName() const { return sBankName; }
  const std::string& BankCity() const { return sBankCity; }
  /// The account number and bank code as the input check built them (see Strictness),
  /// or, after a text search, the bank code as it stands in the file.
  const std::string& AccountNumber() const { return sAccountNumber; }
  const std::string& BankNumber() const { return sBankNumber; }
  const std::string& BankComplete() const { return sBankComplete; }
  /// The BIC (field 7) and postcode (field 6) of the bank of the last operation,
  /// as the record holds them; "" when the record lacks the field.
  const std::string& BankBIC() const { return sBankBIC; }
  const std::string& BankPostcode() const { return sBankPostcode; }

  /// Outcome of the last operation, and its German message.
  ValidateError LastError() const { return static_cast<ValidateError>(nLastError); }
  std::string LastErrorString() const;
  /// True when an operation has run since creation or Reset, whatever its outcome.
  bool Validated() const { return nLastError != qdNoValidation; }

  /// The check method number of the bank last validated, as the bank code file
  /// holds it (TestingMethodCode names it); -1 when none.
  int16_t UsedTestingMethod() const { return static_cast<int16_t>(nTestingMethod); }

  /// Strictness of the input checks (ValidateStrictness). Any value is stored as
  /// given; values outside 0 to 3 behave as qdStrictnessNormal.
  void Strictness(int32_t vNewValue) { nStrictness = vNewValue; }
  int32_t Strictness() const { return nStrictness; }

  /// The set of check methods Validate applies (ValidateRules): from
  /// GetDefaultRules() at creation, or as set. Any value is stored as given;
  /// values other than qdRulesCurrent behave as qdRulesOriginal.
  void Rules(int32_t vNewValue) { nRules = vNewValue; }
  int32_t Rules() const { return nRules; }

  /// "major.minor.revision" of the component, and "Copyright " + its copyright entry.
  std::string Version() const;
  std::string CopyrightNotice() const;

  /// Checks the account number sKontoNr at the bank with the code sBLZ: input
  /// checks, lookup of the bank, and its check-digit method. True exactly when
  /// LastError is then qdNoError. Refuses (false, nothing changed) while
  /// LastError is qdBankNumberFileMissing.
  bool Validate(std::string_view sBLZ, std::string_view sKontoNr);

  /// Searches the bank code file for sTest in the fields that SearchOption
  /// names (qdSearchAll: the whole line) and keeps the banks found, sorted by
  /// name, as the file stood at the search; shows the first. False with qdBankNumberFileMissing,
  /// qdNoBankFound or qdUnknownError (also for a non-empty line that lacks a searched field).
  /// Throws MalformedRecordError when a found record has no name, or when the
  /// record it shows has fewer than four fields.
  bool SearchBankByText(std::string_view sTest, int32_t SearchOption = qdSearchAll);
  /// The last text search found at least one bank.
  bool IsBankFound() const { return bBankFound; }
  /// Show the first, or the next, bank of the last text search. Throw
  /// MalformedRecordError when the record to show has fewer than four fields.
  bool FirstFoundBank();
  bool NextFoundBank();
  /// Number of banks found by the last text search; -1 when it found none.
  int32_t AmountFoundBanks() const;

  /// Checks the bank code, looks it up and shows the bank. False with the input
  /// check's code, or qdBankNumberUnknown.
  bool searchBank(std::string_view sBLZ);

  /// The fields of the record of bank code sBLZ (spaces removed, nothing else
  /// checked), read from the file as it is now, or nothing. Records the reason
  /// in LastError only on failure: qdBankNumberMissing, qdBankNumberFileMissing,
  /// qdBankNumberUnknown, qdUnknownError.
  std::optional<std::vector<std::string>> SearchBankInfo(std::string_view sBLZ);

 private:
  struct FoundBanks;
  void ShowFoundBank(std::size_t position);

  std::string sBankNumber;
  std::string sBankComplete;
  std::string sAccountNumber;
  std::string sBankName;
  std::string sBankCity;
  std::string sBankBIC;
  std::string sBankPostcode;
  int32_t nTestingMethod = -1;
  int32_t nStrictness = qdStrictnessNormal;
  int32_t nRules = qdRulesOriginal;
  bool bBankFound = false;
  std::unique_ptr<FoundBanks> pFoundBanks;  ///< the last text search's banks, in name order
  int32_t nFoundIndex = 0;
  int32_t nLastError = qdNoValidation;
};

}  // namespace quandor

#endif  // QUANDOR_BANKING_H_
