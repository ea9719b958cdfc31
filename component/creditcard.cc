#include "quandor/creditcard.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "info_box.h"
#include "version_info.h"

namespace quandor {
namespace {

// One way a company's card numbers may look. A company with several
// alternatives has several rows; the number passes when any of them holds.
struct CompanyRule {
  CardCompanies company;
  std::string_view prefix;             // the leading digits
  std::string_view next_digits;        // the digit after the prefix is one of these; "" = no rule
  std::array<std::size_t, 2> lengths;  // allowed numbers of digits; 0 = unused slot
};

constexpr std::array kCompanyRules = std::to_array<CompanyRule>({
    {ccVisa, "4", "", {16, 13}},
    {ccMasterCard, "5", "12345", {16, 0}},
    {ccEuroCard, "5", "", {16, 0}},
    {ccAmericanExpress, "3", "47", {15, 0}},
    {ccDinersClub, "30", "012345", {14, 0}},
    {ccDinersClub, "3", "68", {0, 0}},  // any length
    {ccDiscover, "6011", "", {16, 0}},
});

bool LengthFits(const CompanyRule& rule, std::size_t length) {
  if (rule.lengths[0] == 0) return true;
  for (std::size_t allowed : rule.lengths) {
    if (allowed != 0 && allowed == length) return true;
  }
  return false;
}

bool RuleHolds(const CompanyRule& rule, std::string_view digits) {
  if (!digits.starts_with(rule.prefix)) return false;
  if (!rule.next_digits.empty()) {
    // The digit must exist: "3" alone is no Diners Club number.
    if (digits.size() <= rule.prefix.size()) return false;
    if (rule.next_digits.find(digits[rule.prefix.size()]) == std::string_view::npos) return false;
  }
  return LengthFits(rule, digits.size());
}

bool IsKnownCompany(int32_t nCompany) { return nCompany >= ccVisa && nCompany <= ccDiscover; }

bool CompanyRuleHolds(int32_t nCompany, std::string_view digits) {
  for (const CompanyRule& rule : kCompanyRules) {
    if (rule.company == nCompany && RuleHolds(rule, digits)) return true;
  }
  return false;
}

enum class ScanOutcome { kAccepted, kForbiddenCharacter, kPositionOverflow };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == ' ' || c == '/' || c == '-'; }
// Bytes 10xxxxxx continue a UTF-8 character; they belong to the position of its first byte.
bool ContinuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Positions are counted in a 16-bit signed counter, as hosts of the component have
// always seen it: stepping past the last position it holds ends the scan as a failure.
constexpr int32_t kLastCountablePosition = std::numeric_limits<int16_t>::max();

// Splits the typed text into what CardNumber shows (`shown`) and the digits the
// company rule tests (`digits`), at the given strictness. Every non-ASCII byte
// is an "other character", so handling a UTF-8 character byte by byte keeps it
// whole in `shown` or drops it whole.
ScanOutcome ScanCardNumber(std::string_view typed, int32_t strictness, std::string& shown,
                           std::string& digits) {
  ScanOutcome outcome = ScanOutcome::kAccepted;
  int32_t position = 0;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    const char c = typed[i];
    if (IsDigit(c)) {
      digits += c;
      shown += c;
    } else if (IsSeparator(c)) {
      if (strictness != qdStrictnessRestrictive) shown += c;
    } else if (strictness == qdStrictnessLow) {
      shown += c;
    } else if (strictness != qdStrictnessNormal) {
      outcome = ScanOutcome::kForbiddenCharacter;
    }
    const bool character_ends = i + 1 == typed.size() || !ContinuesCharacter(typed[i + 1]);
    if (character_ends && ++position == kLastCountablePosition) {
      return ScanOutcome::kPositionOverflow;
    }
  }
  return outcome;
}

}  // namespace

Creditcard::Creditcard() { Reset(); }
Creditcard::~Creditcard() = default;

void Creditcard::Reset() {
  // Written as one repeated character: GCC 12 misreports the assignment of a
  // short literal here as an overlapping copy (-Wrestrict) in optimised builds.
  sCompanyNumber.assign(1, '0');
  sCompanyName.clear();
  sCardNumber.clear();
  nLastError = qdNoValidation;
}

void Creditcard::ShowInfo() { ShowInfoBox(); }
const std::string& Creditcard::CompanyName() const { return sCompanyName; }
const std::string& Creditcard::CardNumber() const { return sCardNumber; }
CardCompanies Creditcard::CompanyNumber() const {
  return static_cast<CardCompanies>(std::stol(sCompanyNumber));
}
ValidateError Creditcard::LastError() const { return static_cast<ValidateError>(nLastError); }
bool Creditcard::Validated() const { return nLastError != qdNoValidation; }
void Creditcard::Strictness(int32_t vNewValue) { nStrictness = vNewValue; }
int32_t Creditcard::Strictness() const { return nStrictness; }
std::string Creditcard::Version() const { return VersionText(); }
std::string Creditcard::CopyrightNotice() const { return CopyrightText(); }
std::string Creditcard::LastErrorString() const { return GetErrorText(nLastError); }

bool Creditcard::Validate(int32_t nCompany, std::string_view sCardNr) {
  try {
    Reset();
    nLastError = qdNoError;
    std::string digits;
    switch (ScanCardNumber(sCardNr, nStrictness, sCardNumber, digits)) {
      case ScanOutcome::kAccepted:
        break;
      case ScanOutcome::kForbiddenCharacter:
        nLastError = qdCardNumberIncorrectly;
        return false;
      case ScanOutcome::kPositionOverflow:
        nLastError = qdUnknownError;
        return false;
    }
    if (!IsKnownCompany(nCompany)) {
      nLastError = qdCompanyNumberUnknown;
      return false;
    }
    nLastError = CompanyRuleHolds(nCompany, digits) ? qdNoError : qdCardWrongCheckDigit;
    return nLastError == qdNoError;
  } catch (...) {  // a host never sees an exception from Validate
    nLastError = qdUnknownError;
    return false;
  }
}

}  // namespace quandor
