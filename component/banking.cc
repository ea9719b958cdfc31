#include "quandor/banking.h"

#include <exception>

#include "bankdir/bank_index.h"
#include "bankdir/bank_lookup.h"
#include "bankdir/bank_record.h"
#include "bankdir/data_path.h"
#include "bankdir/text_search.h"
#include "digit_list.h"
#include "info_box.h"
#include "input_check.h"
#include "methods/check_context.h"
#include "methods/current/method_set.h"
#include "methods/runner.h"
#include "version_info.h"

namespace quandor {
namespace {

using bankdir::FieldReader;

// Fields 2 to 4 of a record go to name, city and further text, in this
// order. False at the first missing field; the ones before it stay set.
bool TakeBankFields(FieldReader& fields, std::string& name, std::string& city,
                    std::string& complete) {
  for (std::string* target : {&name, &city, &complete}) {
    const auto field = fields.Next();
    if (!field) return false;
    target->clear();
    target->append(*field);  // cheaper than assign, and keeps the capacity
  }
  return true;
}

// Fields 6 and 7 of a record, the fields after the method, go to postcode
// and BIC; a record that ends earlier leaves the rest empty.
void TakeBankCodes(FieldReader& fields, std::string& postcode, std::string& bic) {
  for (std::string* target : {&postcode, &bic}) {
    const auto field = fields.Next();
    if (!field) return;
    target->append(*field);
  }
}

}  // namespace

std::string GetDataPath() { return bankdir::GetDataPath(); }

int32_t GetDefaultRules() { return bankdir::DefaultRules(); }

std::string TestingMethodCode(int32_t nMethod) {
  if (nMethod < 0) return {};
  if (nMethod >= methods::kMethodNumberCount) return std::to_string(nMethod);
  return std::string(methods::CurrentMethodCode(nMethod));
}

Banking::Banking() {
  nStrictness = qdStrictnessNormal;
  nRules = bankdir::DefaultRules();
  Reset();
  const int32_t loaded = bankdir::LoadBankIndex();
  nLastError = loaded == qdNoError ? qdNoValidation : loaded;
}

Banking::~Banking() = default;

void Banking::Reset() {
  sBankNumber.clear();
  sBankComplete.clear();
  sAccountNumber.clear();
  sBankName.clear();
  sBankCity.clear();
  sBankBIC.clear();
  sBankPostcode.clear();
  nTestingMethod = -1;
  nLastError = qdNoValidation;
}

void Banking::ShowInfo() { ShowInfoBox(); }
std::string Banking::LastErrorString() const { return GetErrorText(nLastError); }
std::string Banking::Version() const { return VersionText(); }
std::string Banking::CopyrightNotice() const { return CopyrightText(); }

bool Banking::Validate(std::string_view sBLZ, std::string_view sKontoNr) {
  // The file was missing; until a Reset nothing is checked.
  if (nLastError == qdBankNumberFileMissing) return false;
  try {
    Reset();
    nLastError = qdNoError;
    DigitList bank_digits;
    DigitList account_digits;
    CheckedTexts texts{sBankNumber, sAccountNumber, nLastError};
    if (!CheckInput(sBLZ, sKontoNr, bank_digits, account_digits, nStrictness, texts)) {
      return false;
    }
    DigitText bank_code_text;
    const std::string_view bank_code = JoinArray(bank_digits, bank_code_text);
    const auto line = bankdir::LookupBankRecord(bank_code, nLastError);
    if (!line) {
      nLastError = qdBankNumberUnknown;
      return false;
    }
    FieldReader fields(*line);
    fields.Next();
    const auto method_field =
        TakeBankFields(fields, sBankName, sBankCity, sBankComplete) ? fields.Next() : std::nullopt;
    if (!method_field) {
      nLastError = qdUnknownError;
      return false;
    }
    TakeBankCodes(fields, sBankPostcode, sBankBIC);
    const auto method = bankdir::ReadMethodNumber(*method_field);
    if (!method) {
      nLastError = qdTestingMethodUnknown;
      return false;
    }
    nTestingMethod = *method;
    nLastError = qdNoError;

    methods::AccountDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i) digits[i] = account_digits[i];
    methods::CheckContext context{digits, nLastError, bank_code};
    if (nRules == qdRulesCurrent) {
      methods::RunCurrentMethod(context, nTestingMethod);
    } else {
      methods::RunCheckMethod(context, nTestingMethod);
    }
    return nLastError == qdNoError;
  } catch (const std::exception&) {
    nLastError = qdUnknownError;
    return false;
  }
}

bool Banking::SearchBankByText(std::string_view sTest, int32_t SearchOption) {
  Reset();
  colFoundBanks.clear();
  nLastError = qdNoError;
  bBankFound = false;
  bankdir::SearchOutcome found = bankdir::SearchBankFile(sTest, SearchOption);
  if (found.code != qdNoError) {
    nLastError = found.code;
    return false;
  }
  std::vector<std::string_view> names;
  names.reserve(found.records.size());
  for (const bankdir::BankRecord& record : found.records) {
    if (record.size() < 2) {
      throw MalformedRecordError("bank record without a name: " + record.front());
    }
    names.push_back(record[1]);
  }
  const std::vector<std::size_t> order = bankdir::OrderByName(names);
  colFoundBanks.reserve(order.size());
  for (std::size_t i : order) colFoundBanks.push_back(std::move(found.records[i]));
  bBankFound = true;
  nFoundIndex = 1;
  ShowFoundBank(1);
  return true;
}

bool Banking::FirstFoundBank() {
  Reset();
  if (bBankFound) {
    nFoundIndex = 1;
    ShowFoundBank(1);
  }
  return bBankFound;
}

bool Banking::NextFoundBank() {
  Reset();
  if (!bBankFound) return false;
  if (static_cast<std::size_t>(nFoundIndex) >= colFoundBanks.size()) return false;
  ++nFoundIndex;
  ShowFoundBank(static_cast<std::size_t>(nFoundIndex));
  return true;
}

int32_t Banking::AmountFoundBanks() const {
  return bBankFound ? static_cast<int32_t>(colFoundBanks.size()) : -1;
}

bool Banking::searchBank(std::string_view sBLZ) {
  try {
    Reset();
    nLastError = qdNoError;
    DigitList digits;
    CheckedTexts texts{sBankNumber, sAccountNumber, nLastError};
    if (!CheckBankNumber(sBLZ, digits, nStrictness, texts)) return false;
    const auto line = bankdir::LookupBankRecord(JoinArray(digits), nLastError);
    if (!line) {
      nLastError = qdBankNumberUnknown;
      return false;
    }
    FieldReader fields(*line);
    fields.Next();
    if (!TakeBankFields(fields, sBankName, sBankCity, sBankComplete)) {
      nLastError = qdUnknownError;
      return false;
    }
    if (fields.Next()) TakeBankCodes(fields, sBankPostcode, sBankBIC);
    return true;
  } catch (const std::exception&) {
    nLastError = qdUnknownError;
    return false;
  }
}

std::optional<std::vector<std::string>> Banking::SearchBankInfo(std::string_view sBLZ) {
  try {
    const auto line = bankdir::LookupBankRecord(sBLZ, nLastError);
    if (!line) return std::nullopt;
    return bankdir::SplitFields(*line);
  } catch (const std::exception&) {
    nLastError = qdUnknownError;
    return std::nullopt;
  }
}

void Banking::ShowFoundBank(std::size_t position) {
  const std::vector<std::string>& record = colFoundBanks.at(position - 1);
  if (record.size() < 4) {
    throw MalformedRecordError("bank record with fewer than four fields: " + record.front());
  }
  sBankNumber = record[0];
  sBankComplete = record[3];
  sBankName = record[1];
  sBankCity = record[2];
  if (record.size() > 5) sBankPostcode = record[5];
  if (record.size() > 6) sBankBIC = record[6];
}

}  // namespace quandor
