#include "quandor/banking.h"

#include <charconv>
#include <exception>
#include <utility>

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

// Fields 2 to 4 of a record go to name, city and further text, fields 6 and
// 7 (after the method) to postcode and BIC, as far as the record has them.
void TakeBankFields(const bankdir::FoundRecord& record, std::string& name, std::string& city,
                    std::string& complete, std::string& postcode, std::string& bic) {
  const std::pair<std::size_t, std::string*> targets[] = {
      {1, &name}, {2, &city}, {3, &complete}, {5, &postcode}, {6, &bic}};
  for (const auto& [k, target] : targets) {
    if (k >= record.fields()) return;
    target->assign(record.Field(k));  // keeps the capacity
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
    const std::string bank_code = JoinArray(bank_digits);
    const auto record = bankdir::LookupBankRecord(bank_code, nLastError);
    if (!record) {
      nLastError = qdBankNumberUnknown;
      return false;
    }
    TakeBankFields(*record, sBankName, sBankCity, sBankComplete, sBankPostcode, sBankBIC);
    if (record->fields() < 5) {
      nLastError = qdUnknownError;
      return false;
    }
    if (!record->layout.method_fits) {
      nLastError = qdTestingMethodUnknown;
      return false;
    }
    nTestingMethod = record->layout.method;
    nLastError = qdNoError;

    methods::AccountDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i) digits[i] = account_digits[i];
    methods::CheckContext context{digits, nLastError, bank_code};
    if (nRules == qdRulesCurrent) {
      methods::RunCurrentMethod(context, nTestingMethod);
      return nLastError == qdNoError;
    }
    char code_text[16];
    const auto written = std::to_chars(code_text, code_text + sizeof code_text, nTestingMethod);
    methods::RunCheckMethod(
        context, std::string_view(code_text, static_cast<std::size_t>(written.ptr - code_text)));
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
    const auto record = bankdir::LookupBankRecord(JoinArray(digits), nLastError);
    if (!record) {
      nLastError = qdBankNumberUnknown;
      return false;
    }
    TakeBankFields(*record, sBankName, sBankCity, sBankComplete, sBankPostcode, sBankBIC);
    if (record->fields() < 4) {
      nLastError = qdUnknownError;
      return false;
    }
    return true;
  } catch (const std::exception&) {
    nLastError = qdUnknownError;
    return false;
  }
}

std::optional<std::vector<std::string>> Banking::SearchBankInfo(std::string_view sBLZ) {
  try {
    const auto record = bankdir::LookupBankRecord(sBLZ, nLastError);
    if (!record) return std::nullopt;
    return bankdir::SplitFields(record->line);
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
