#include "input_check.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>

#include "quandor/errors.h"

namespace quandor {
namespace {

// Values outside the enumeration behave as qdStrictnessNormal.
int32_t EffectiveStrictness(int32_t nStrictness) {
  return nStrictness >= qdStrictnessLow && nStrictness <= qdStrictnessRestrictive
             ? nStrictness
             : qdStrictnessNormal;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == text.npos; }

bool IsAccountSeparator(char c) { return c == ' ' || c == '/' || c == '-'; }

// The size of a bank code's display text: eight digits in groups of 3, 3, 2.
constexpr std::size_t kGroupedSize = 10;

// "37050198" -> "370 501 98" into grouped; shorter texts give shorter groups,
// anything after the eighth character is dropped. Returns the size.
std::size_t GroupBankCode(std::string_view text, char (&grouped)[kGroupedSize]) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 3 || i == 6) grouped[n++] = ' ';
    if (i < text.size()) grouped[n++] = text[i];
  }
  return n;
}

// The same for a text of exactly eight characters, built in registers and
// stored whole: bytes stored one by one and read back as a word would make
// the read wait until the stores have left the core.
void GroupEightChars(const char* text, char (&grouped)[kGroupedSize]) {
  uint64_t word;
  std::memcpy(&word, text, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  // Little-endian: byte i of a word is character i.
  uint64_t head = (word & 0xFFFFFFu) | (uint64_t{' '} << 24) | ((word & 0xFFFFFF000000u) << 8) |
                  (uint64_t{' '} << 56);
  auto tail = static_cast<uint16_t>(word >> 48);
  if constexpr (std::endian::native == std::endian::big) {
    head = __builtin_bswap64(head);
    tail = static_cast<uint16_t>(tail << 8 | tail >> 8);
  }
  std::memcpy(grouped, &head, sizeof head);
  std::memcpy(grouped + sizeof head, &tail, sizeof tail);
}

// Builds a display text in place: the string is sized to the longest
// possible result once, so appending is a plain store and a string whose
// capacity has grown to size is never reallocated. The characters go through
// a pointer of its own, so that the compiler need not reload the string after
// every store.
class DisplayText {
 public:
  DisplayText(std::string& text, std::size_t max_size) : text_(text) {
    text_.resize(std::max<std::size_t>(max_size, kGroupedSize));
    data_ = text_.data();
  }
  ~DisplayText() { text_.resize(size_); }
  DisplayText(const DisplayText&) = delete;
  DisplayText& operator=(const DisplayText&) = delete;

  void Append(char c) { data_[size_++] = c; }
  void GroupAsBankCode() {
    char grouped[kGroupedSize];
    size_ = GroupBankCode(std::string_view(data_, size_), grouped);
    std::copy_n(grouped, size_, data_);
  }

 private:
  std::string& text_;
  char* data_;
  std::size_t size_ = 0;
};

bool CheckBankNumberUnguarded(std::string_view sBLZ, DigitList& digits, int32_t strictness,
                              CheckedTexts& out) {
  if (IsBlank(sBLZ)) {
    out.last_error = qdBankNumberMissing;
    return false;
  }
  DisplayText bank_number(out.bank_number, sBLZ.size());
  {
    DigitAppender found(digits);
    for (char c : sBLZ) {
      if (IsDigit(c)) {
        found.Append(c - '0');
        bank_number.Append(c);
      } else if (strictness == qdStrictnessLow) {
        bank_number.Append(c);
      } else if (c == ' ') {
        continue;
      } else if (strictness == qdStrictnessStrict || strictness == qdStrictnessRestrictive) {
        out.last_error = qdBankNumberIncorrectly;
        return false;
      }
    }
  }
  if (strictness == qdStrictnessNormal || strictness == qdStrictnessStrict) {
    bank_number.GroupAsBankCode();
  }
  if (digits.empty()) {
    out.last_error = qdBankNumberMissing;
  } else if (digits.size() != 8) {
    out.last_error = qdBankNumberWrongDigits;
  }
  return out.last_error == qdNoError;
}

bool CheckAccountNumberUnguarded(std::string_view sKontoNr, DigitList& digits, int32_t strictness,
                                 CheckedTexts& out) {
  if (IsBlank(sKontoNr)) {
    out.last_error = qdAccountNumberMissing;
    return false;
  }
  {
    DisplayText account_number(out.account_number, sKontoNr.size());
    DigitAppender found(digits);
    for (char c : sKontoNr) {
      if (IsDigit(c)) {
        found.Append(c - '0');
        account_number.Append(c);
      } else if (IsAccountSeparator(c)) {
        if (strictness != qdStrictnessRestrictive) account_number.Append(c);
      } else if (strictness == qdStrictnessStrict || strictness == qdStrictnessRestrictive) {
        out.last_error = qdAccountNumberIncorrectly;
        return false;
      } else if (strictness == qdStrictnessLow) {
        account_number.Append(c);
      }
    }
  }
  if (digits.empty()) {
    out.last_error = qdAccountNumberMissing;
  } else if (digits.size() > 10) {
    out.last_error = qdAccountNumberWrongDigits;
  } else {
    PadArrayLeft(digits, 0, 9);
  }
  return out.last_error == qdNoError;
}

// Whether every character of text is a digit. A text of eight or more is
// tested eight at a time from both ends, which overlap where needed.
bool AllDigits(std::string_view text) {
  if (text.size() < 8 || text.size() > 16) {
    return std::all_of(text.begin(), text.end(), IsDigit);
  }
  return EightDigits(text.data()) && EightDigits(text.data() + text.size() - 8);
}

// Nearly every input is a bank code of eight digits and an account number of
// one to ten, which every strictness takes as it is: no character to judge,
// no digit count to test. Gives what the two checks give, or returns false
// with nothing done for any other input (and for lists already begun, which
// the checks would append to, or an error code already set).
bool CheckPlainDigits(std::string_view sBLZ, std::string_view sKontoNr, DigitList& bank_digits,
                      DigitList& account_digits, int32_t strictness, CheckedTexts& out) {
  if (sBLZ.size() != 8 || sKontoNr.empty() || sKontoNr.size() > 10 || !bank_digits.empty() ||
      !account_digits.empty() || out.last_error != qdNoError || !EightDigits(sBLZ.data()) ||
      !AllDigits(sKontoNr)) {
    return false;
  }
  AssignDigits<8>(bank_digits, sBLZ);
  if (strictness == qdStrictnessNormal || strictness == qdStrictnessStrict) {
    char grouped[kGroupedSize];
    GroupEightChars(sBLZ.data(), grouped);
    out.bank_number.assign(grouped, kGroupedSize);
  } else {
    out.bank_number.assign(sBLZ);
  }
  AssignDigits<10>(account_digits, sKontoNr);
  out.account_number.assign(sKontoNr);
  return true;
}

}  // namespace

bool CheckBankNumber(std::string_view sBLZ, DigitList& digits, int32_t nStrictness,
                     CheckedTexts& out) {
  try {
    return CheckBankNumberUnguarded(sBLZ, digits, EffectiveStrictness(nStrictness), out);
  } catch (const std::exception&) {
    out.last_error = qdUnknownError;
    return false;
  }
}

bool CheckAccountNumber(std::string_view sKontoNr, DigitList& account_digits, int32_t nStrictness,
                        CheckedTexts& out) {
  try {
    return CheckAccountNumberUnguarded(sKontoNr, account_digits, EffectiveStrictness(nStrictness),
                                       out);
  } catch (const std::exception&) {
    out.last_error = qdUnknownError;
    return false;
  }
}

bool CheckInput(std::string_view sBLZ, std::string_view sKontoNr, DigitList& bank_digits,
                DigitList& account_digits, int32_t nStrictness, CheckedTexts& out) {
  try {
    if (CheckPlainDigits(sBLZ, sKontoNr, bank_digits, account_digits,
                         EffectiveStrictness(nStrictness), out)) {
      return true;
    }
  } catch (const std::exception&) {
    out.last_error = qdUnknownError;
    return false;
  }
  if (!CheckBankNumber(sBLZ, bank_digits, nStrictness, out)) return false;
  return CheckAccountNumber(sKontoNr, account_digits, nStrictness, out);
}

}  // namespace quandor
