#include "quandor/creditcard.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>

#include "info_box.h"
#include "quandor/banking.h"
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

// Today's rules, chosen by Rules(qdRulesCurrent): a range of leading digits
// (compared over the width of `first`) and the allowed numbers of digits. The
// Luhn check digit comes on top (see LuhnHolds).
struct CurrentCompanyRule {
  CardCompanies company;
  std::string_view first;  // lowest prefix of the range
  std::string_view last;   // highest, of the same width
  uint32_t lengths;        // bit n set: n digits allowed
};

constexpr uint32_t Lengths(std::initializer_list<unsigned> allowed) {
  uint32_t bits = 0;
  for (unsigned length : allowed) bits |= 1U << length;
  return bits;
}

constexpr uint32_t LengthsFrom(unsigned shortest, unsigned longest) {
  uint32_t bits = 0;
  for (unsigned length = shortest; length <= longest; ++length) bits |= 1U << length;
  return bits;
}

constexpr std::array kCurrentCompanyRules = std::to_array<CurrentCompanyRule>({
    {ccVisa, "4", "4", Lengths({13, 16, 19})},
    {ccMasterCard, "51", "55", Lengths({16})},
    {ccMasterCard, "2221", "2720", Lengths({16})},
    {ccEuroCard, "51", "55", Lengths({16})},  // the brand merged into Mastercard
    {ccEuroCard, "2221", "2720", Lengths({16})},
    {ccAmericanExpress, "34", "34", Lengths({15})},
    {ccAmericanExpress, "37", "37", Lengths({15})},
    {ccDinersClub, "300", "305", LengthsFrom(14, 19)},
    {ccDinersClub, "3095", "3095", LengthsFrom(14, 19)},
    {ccDinersClub, "36", "36", LengthsFrom(14, 19)},
    {ccDinersClub, "38", "39", LengthsFrom(14, 19)},
    {ccDiscover, "6011", "6011", LengthsFrom(16, 19)},
    {ccDiscover, "622126", "622925", LengthsFrom(16, 19)},
    {ccDiscover, "644", "649", LengthsFrom(16, 19)},
    {ccDiscover, "65", "65", LengthsFrom(16, 19)},
});

constexpr bool RangesWellFormed() {
  for (const CurrentCompanyRule& rule : kCurrentCompanyRules) {
    if (rule.first.size() != rule.last.size() || rule.first > rule.last) return false;
  }
  return true;
}
static_assert(RangesWellFormed(), "a prefix range needs two prefixes of one width, in order");

bool RuleHolds(const CurrentCompanyRule& rule, std::string_view digits) {
  if (digits.size() >= 32 || (rule.lengths & (1U << digits.size())) == 0) return false;
  // Equal widths: comparing the texts compares the numbers.
  const std::string_view prefix = digits.substr(0, rule.first.size());
  return rule.first <= prefix && prefix <= rule.last;
}

// From the right, every second digit doubled (less 9 above 9): the sum of all
// must be a multiple of 10.
bool LuhnHolds(std::string_view digits) {
  int sum = 0;
  bool doubled = false;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    int digit = *it - '0';
    if (doubled) digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
    sum += digit;
    doubled = !doubled;
  }
  return !digits.empty() && sum % 10 == 0;
}

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

template <typename Rules>
bool CompanyRuleHolds(const Rules& rules, int32_t nCompany, std::string_view digits) {
  for (const auto& rule : rules) {
    if (rule.company == nCompany && RuleHolds(rule, digits)) return true;
  }
  return false;
}

bool CardNumberHolds(int32_t nRules, int32_t nCompany, std::string_view digits) {
  if (nRules == qdRulesCurrent) {
    return CompanyRuleHolds(kCurrentCompanyRules, nCompany, digits) && LuhnHolds(digits);
  }
  return CompanyRuleHolds(kCompanyRules, nCompany, digits);
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

Creditcard::Creditcard() : nRules(GetDefaultRules()) { Reset(); }
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
void Creditcard::Rules(int32_t vNewValue) { nRules = vNewValue; }
int32_t Creditcard::Rules() const { return nRules; }
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
    nLastError = CardNumberHolds(nRules, nCompany, digits) ? qdNoError : qdCardWrongCheckDigit;
    return nLastError == qdNoError;
  } catch (...) {  // a host never sees an exception from Validate
    nLastError = qdUnknownError;
    return false;
  }
}

}  // namespace quandor
