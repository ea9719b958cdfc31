#include "quandor/banking.h"

#include <exception>
#include <utility>

#include "bankdir/bank_data.h"
#include "bankdir/bank_lookup.h"
#include "bankdir/bank_record.h"
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

// Field k of the record (name, city, short name, postcode, BIC) into target,
// keeping its capacity. A short field is copied as a whole block and cut to
// its size, which spares a mispredicted branch on each bank's field length.
void TakeField(const bankdir::FoundRecord& record, std::size_t k, std::string& target) {
  constexpr std::size_t kBlock = 64;
  const std::string_view field = record.Field(k);
  const auto offset = static_cast<std::size_t>(field.data() - record.line.data());
  if (field.size() <= kBlock && kBlock <= record.readable - offset) {
    target.assign(field.data(), kBlock);
    target.resize(field.size());
  } else {
    target.assign(field);
  }
}

// Fields 2 to 4 of a record go to name, city and further text, fields 6 and
// 7 (after the method) to postcode and BIC, as far as the record has them.
void TakeBankFields(const bankdir::FoundRecord& record, std::string& name, std::string& city,
                    std::string& complete, std::string& postcode, std::string& bic) {
  const std::pair<std::size_t, std::string*> targets[] = {
      {1, &name}, {2, &city}, {3, &complete}, {5, &postcode}, {6, &bic}};
  for (const auto& [k, target] : targets) {
    if (k >= record.fields()) return;
    TakeField(record, k, *target);
  }
}

}  // namespace

// The banks of the last text search: the reading of the file they were found
// in, which keeps their lines whatever becomes of the file, and their line
// numbers in name order. A record is split into fields only when shown.
struct Banking::FoundBanks {
  std::shared_ptr<const bankdir::BankReading> file;
  std::vector<uint32_t> lines;  ///< position p is element p - 1
};

std::string GetDataPath() { return bankdir::CurrentBankData()->data_path; }

int32_t GetDefaultRules() { return GetDefaultRules(qdRulesOriginal); }

int32_t GetDefaultRules(int32_t nFallback) {
  return bankdir::CurrentBankData()->chosen_rules.value_or(nFallback);
}

std::string TestingMethodCode(int32_t nMethod) {
  if (nMethod < 0) return {};
  if (nMethod >= methods::kMethodNumberCount) return std::to_string(nMethod);
  return std::string(methods::CurrentMethodCode(nMethod));
}

Banking::Banking() : pFoundBanks(std::make_unique<FoundBanks>()) {
  nStrictness = qdStrictnessNormal;
  nRules = qdRulesOriginal;
  Reset();
  try {
    const bankdir::BankData& data = *bankdir::CurrentBankData();
    nRules = data.chosen_rules.value_or(qdRulesOriginal);
    if (data.bank_file_status != qdNoError) nLastError = data.bank_file_status;
  } catch (const std::exception&) {
    nLastError = qdUnknownError;
  }
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
    // A bank code typed as its eight digits is the key as it stands; only
    // another text that passed needs its digits joined.
    DigitText bank_code_text;
    const std::string_view bank_code = sBLZ.size() == 8 && EightDigits(sBLZ.data())
                                           ? sBLZ
                                           : JoinArray(bank_digits, bank_code_text);
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
    methods::CheckContext context{digits, bank_code};
    nLastError = nRules == qdRulesCurrent ? methods::RunCurrentMethod(context, nTestingMethod)
                                          : methods::RunCheckMethod(context, nTestingMethod);
    return nLastError == qdNoError;
  } catch (const std::exception&) {
    nLastError = qdUnknownError;
    return false;
  }
}

bool Banking::SearchBankByText(std::string_view sTest, int32_t SearchOption) {
  Reset();
  pFoundBanks->file.reset();
  pFoundBanks->lines.clear();
  nLastError = qdNoError;
  bBankFound = false;
  bankdir::SearchOutcome found = bankdir::SearchBankFile(sTest, SearchOption);
  if (found.code != qdNoError) {
    nLastError = found.code;
    return false;
  }
  const std::vector<uint32_t>& name_ranks = found.file->name_ranks();
  std::vector<uint32_t> ranks(found.lines.size());
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    ranks[i] = name_ranks[found.lines[i]];
    if (ranks[i] == bankdir::kNoName) {
      throw MalformedRecordError(
          "bank record without a name: " +
          std::string(bankdir::BankCodeOf(found.file->lines().line(found.lines[i]))));
    }
  }
  const std::vector<std::size_t> order = bankdir::OrderByRank(ranks);
  std::vector<uint32_t>& lines = pFoundBanks->lines;
  lines.reserve(order.size());
  for (const std::size_t i : order) lines.push_back(found.lines[i]);
  pFoundBanks->file = std::move(found.file);
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
  if (static_cast<std::size_t>(nFoundIndex) >= pFoundBanks->lines.size()) return false;
  ++nFoundIndex;
  ShowFoundBank(static_cast<std::size_t>(nFoundIndex));
  return true;
}

int32_t Banking::AmountFoundBanks() const {
  return bBankFound ? static_cast<int32_t>(pFoundBanks->lines.size()) : -1;
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
  const std::string_view line =
      pFoundBanks->file->lines().line(pFoundBanks->lines.at(position - 1));
  const bankdir::RecordLayout layout = bankdir::RecordLayout::Of(line);
  if (layout.fields < 4) {
    throw MalformedRecordError("bank record with fewer than four fields: " +
                               std::string(layout.Field(line, 0)));
  }
  const bankdir::FoundRecord record{line, layout, line.size()};
  sBankNumber.assign(record.Field(0));
  TakeBankFields(record, sBankName, sBankCity, sBankComplete, sBankPostcode, sBankBIC);
}

}  // namespace quandor
