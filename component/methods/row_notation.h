// The notation of the method table's texts (weight patterns, remainder rules,
// switch rules) and the forms they are read into. Everything here is constexpr
// so that the table's own texts are read once, when the component is compiled,
// and the checks run on the read form without parsing or allocating.
#ifndef QUANDOR_METHODS_ROW_NOTATION_H_
#define QUANDOR_METHODS_ROW_NOTATION_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "methods/check_context.h"
#include "methods/digits.h"

namespace quandor::methods::notation {

// A pattern character that is no weight at all (skipped when reading).
inline constexpr int kNoWeight = -3;

// The weight a pattern character stands for: a digit is its value, "A" is 10,
// "P" the check digit, "X" a digit left out; any other character kNoWeight.
constexpr int WeightOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  switch (c) {
    case 'A':
    case 'a':
      return 10;
    case 'P':
    case 'p':
      return kCheckDigitWeight;
    case 'X':
    case 'x':
      return kLeftOutWeight;
    default:
      return kNoWeight;
  }
}

// Returns the part of text before the first separator and leaves the part
// after it in text; without a separator returns all of text and leaves "".
constexpr std::string_view SplitAt(std::string_view& text, char separator) {
  const auto pos = text.find(separator);
  if (pos == std::string_view::npos) {
    const auto all = text;
    text = {};
    return all;
  }
  const auto head = text.substr(0, pos);
  text.remove_prefix(pos + 1);
  return head;
}

constexpr std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A whole number written in a rule text ("10", "-1", " 7 "); nothing for any
// other text. Numbers of more than six digits are not read (no table text has
// them, and refusing them keeps the arithmetic far from overflow).
constexpr std::optional<int> ReadNumber(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

// The parts of a method code written as the table and the bank code file
// write them: a method number of one or two digits without leading zero,
// optionally followed by a two-digit variant number ("5", "51", "1302").
struct MethodCode {
  int method = 0;   // 0..99
  int variant = 0;  // 0 for a method code, else 0..99 as written
  bool is_variant = false;
};

// Nothing for any other text: blanks, signs, a leading zero ("05"), more
// than four characters. Reading a code this way and comparing the parts is
// comparing the texts exactly.
constexpr std::optional<MethodCode> ReadMethodCode(std::string_view code) {
  if (code.empty() || code.size() > 4 || (code.size() > 1 && code.front() == '0')) {
    return std::nullopt;
  }
  int number = 0;
  for (char c : code) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (code.size() <= 2) return MethodCode{number, 0, false};
  return MethodCode{number / 100, number % 100, true};
}

// One entry of a remainder rule: "key,replacement". A malformed part is kept
// and fails only when the check reaches it, as reading the text would.
struct RuleEntry {
  enum class Kind : uint8_t {
    kValue,           // the value becomes `value`
    kAccountDigit,    // "SK=n": the value becomes the account digit at index `value`
    kBadKey,          // the key is no number: the check fails on reaching this entry
    kBadReplacement,  // the replacement is no number or no index 0..9: fails on a match
  };
  Kind kind = Kind::kValue;
  int key = 0;
  int value = 0;
};

inline constexpr std::size_t kMaxRuleEntries = 4;

// What the weighted check needs of a row: weights, cross sums, modulus, rule.
struct Weighing {
  // The weights as the sum takes them: 0 for "P" and "X", so that the sum
  // runs over all ten digits without a test per digit.
  std::array<uint8_t, 10> weights{};
  int8_t check_index = -1;  // the rightmost "P"; -1 for none, which compares 0
  bool use_cross_sum = false;
  int modulus = 0;
  std::array<RuleEntry, kMaxRuleEntries> rule{};
  std::size_t rule_size = 0;
};

constexpr RuleEntry ReadRuleEntry(std::string_view entry) {
  RuleEntry out;
  const auto key = ReadNumber(SplitAt(entry, ','));
  if (!key) {
    out.kind = RuleEntry::Kind::kBadKey;
    return out;
  }
  out.key = *key;
  constexpr std::string_view kAccountDigitPrefix = "SK=";
  if (entry.starts_with(kAccountDigitPrefix)) {
    const auto index = ReadNumber(entry.substr(kAccountDigitPrefix.size()));
    if (index && *index >= 0 && *index <= 9) {
      out.kind = RuleEntry::Kind::kAccountDigit;
      out.value = *index;
    } else {
      out.kind = RuleEntry::Kind::kBadReplacement;
    }
    return out;
  }
  const auto value = ReadNumber(entry);
  out.kind = value ? RuleEntry::Kind::kValue : RuleEntry::Kind::kBadReplacement;
  out.value = value.value_or(0);
  return out;
}

// Reads the weighing fields of a row. Nothing when the pattern gives fewer
// than ten weights, the modulus is not positive, or the rule has more entries
// than any row needs.
constexpr std::optional<Weighing> ReadWeighing(std::string_view pattern, bool use_cross_sum,
                                               int modulus, std::string_view rule) {
  Weighing out;
  std::size_t count = 0;
  for (char c : pattern) {
    const int weight = WeightOf(c);
    if (weight == kNoWeight) continue;
    if (count == out.weights.size()) break;  // weights beyond the tenth weigh nothing
    if (weight == kCheckDigitWeight) out.check_index = static_cast<int8_t>(count);
    out.weights[count++] = static_cast<uint8_t>(weight < 0 ? 0 : weight);
  }
  if (count < out.weights.size() || modulus <= 0) return std::nullopt;
  out.use_cross_sum = use_cross_sum;
  out.modulus = modulus;
  while (!rule.empty()) {
    if (out.rule_size == out.rule.size()) return std::nullopt;
    out.rule[out.rule_size++] = ReadRuleEntry(SplitAt(rule, ';'));
  }
  return out;
}

// One term "position,digit" of a switch condition.
struct SwitchTerm {
  int position = 0;
  int digit = 0;
  bool opens_group = false;  // the first term of an or-group
};

inline constexpr std::size_t kMaxSwitchTerms = 8;

// A switch rule "conditions/target": or-groups joined by "o", each a list of
// terms joined by "u" ("u" binds tighter).
struct SwitchRule {
  std::array<SwitchTerm, kMaxSwitchTerms> terms{};
  std::size_t size = 0;
  std::string_view target;

  // True when some or-group has all its terms true for digits.
  constexpr bool Holds(const AccountDigits& digits) const {
    bool group_holds = false;
    for (std::size_t i = 0; i < size; ++i) {
      const SwitchTerm& term = terms[i];
      if (term.opens_group) {
        if (group_holds) return true;
        group_holds = true;
      }
      group_holds = group_holds && digits[static_cast<std::size_t>(term.position)] == term.digit;
    }
    return group_holds;
  }
};

// Reads a non-empty switch text. Nothing when a term is not two numbers, a
// position lies outside 0..9, an or-group is blank, or there are more terms
// than any row needs.
constexpr std::optional<SwitchRule> ReadSwitch(std::string_view text) {
  SwitchRule out;
  std::string_view groups = SplitAt(text, '/');
  out.target = text;
  while (!TrimBlanks(groups).empty()) {
    std::string_view group = SplitAt(groups, 'o');
    if (TrimBlanks(group).empty()) return std::nullopt;
    bool opens_group = true;
    while (!TrimBlanks(group).empty()) {
      std::string_view term = SplitAt(group, 'u');
      const auto position = ReadNumber(SplitAt(term, ','));
      const auto digit = ReadNumber(term);
      if (!position || !digit || *position < 0 || *position > 9) return std::nullopt;
      if (out.size == out.terms.size()) return std::nullopt;
      out.terms[out.size++] = {*position, *digit, opens_group};
      opens_group = false;
    }
  }
  return out;
}

}  // namespace quandor::methods::notation

#endif  // QUANDOR_METHODS_ROW_NOTATION_H_
