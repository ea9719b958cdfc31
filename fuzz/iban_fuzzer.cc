// IBAN check and build with arbitrary texts. The verdicts must hold up against
// each other: an IBAN passed as right has the registry length and check digits
// that ISO 7064 MOD 97-10 accepts, a German one splits into bank code and
// account number that build the very same IBAN again, every IBAN built passes
// the check, and the paper form is checked like the electronic one.
//
// Input: the first text, a NUL, the second text. The first is checked as an
// IBAN; the two together are the bank code and account number of a build.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "quandor/banking.h"
#include "quandor/iban.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "iban_fuzzer: %s\n", what);
    std::abort();
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpperOrDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z'); }

// The remainder of the IBAN's number, country and check digits moved to the end
// and letters counted from A = 10: an oracle of its own beside the library's.
int Remainder(std::string_view iban) {
  const std::string moved = std::string(iban.substr(4)) + std::string(iban.substr(0, 4));
  int remainder = 0;
  for (char c : moved) {
    const int value = IsDigit(c) ? c - '0' : c - 'A' + 10;
    remainder = (remainder * (value < 10 ? 10 : 100) + value) % 97;
  }
  return remainder;
}

std::string DigitsOf(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (IsDigit(c)) digits += c;
  }
  return digits;
}

void CheckVerdict(std::string_view input, const quandor::IbanResult& r) {
  Require(r.nIbanError >= quandor::qdIbanOk && r.nIbanError <= quandor::qdIbanWrongCheckDigits,
          "verdict outside IbanError");
  Require(!quandor::GetIbanErrorText(r.nIbanError).empty(), "verdict without a message");
  Require(r.nAccountError == quandor::qdNoValidation, "CheckIban validated an account");
  if (!r.IbanOk()) {
    Require(r.sBankNumber.empty() && r.sAccountNumber.empty(), "parts of a wrong IBAN");
    return;
  }
  const std::string& iban = r.sIban;
  for (char c : iban) Require(IsUpperOrDigit(c), "electronic form with another character");
  Require(iban.size() == static_cast<std::size_t>(quandor::IbanLength(iban.substr(0, 2))),
          "IBAN passed at a length not its country's");
  Require(Remainder(iban) == 1, "IBAN passed with wrong check digits");
  Require(DigitsOf(input).size() >= DigitsOf(iban).size(), "digits appeared");
  if (iban.starts_with("DE")) {
    Require(r.sBankNumber.size() == 8 && r.sAccountNumber.size() == 10 &&
                DigitsOf(r.sBankNumber + r.sAccountNumber).size() == 18,
            "German parts of the wrong form");
    quandor::ValidateError error = quandor::qdUnknownError;
    Require(quandor::MakeGermanIban(r.sBankNumber, r.sAccountNumber, &error, true) == iban &&
                error == quandor::qdNoError,
            "a German IBAN's parts do not build it again");
  } else {
    Require(r.sBankNumber.empty() && r.sAccountNumber.empty(), "parts of a foreign IBAN");
  }
}

void CheckBuild(std::string_view bank_code, std::string_view account) {
  quandor::ValidateError error = quandor::qdUnknownError;
  const std::string iban = quandor::MakeGermanIban(bank_code, account, &error, true);
  if (iban.empty()) {
    Require(error != quandor::qdNoError && quandor::fuzz::IsKnownCode(error),
            "a refused build without its reason");
    return;
  }
  Require(error == quandor::qdNoError, "a built IBAN with an error");
  const quandor::IbanResult r = quandor::CheckIban(iban);
  Require(r.IbanOk() && r.sIban == iban, "a built IBAN fails the check");
  Require(r.sBankNumber == DigitsOf(bank_code), "a built IBAN names another bank code");
  const std::string account_digits = DigitsOf(account);
  Require(
      r.sAccountNumber ==
          std::string(10 - std::min<std::size_t>(10, account_digits.size()), '0') + account_digits,
      "a built IBAN names another account");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // ValidateIban's bank lookups need a file; one bank is enough.
  quandor::fuzz::UseBankFile("iban", "37040044;Commerzbank;K\xC3\xB6ln;Commerzbank;13\r\n");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto [first, second] =
      quandor::fuzz::SplitAtNul(std::string_view(reinterpret_cast<const char*>(data), size));

  const quandor::IbanResult checked = quandor::CheckIban(first);
  CheckVerdict(first, checked);
  const std::string paper = quandor::FormatIban(first);
  Require(quandor::CheckIban(paper).nIbanError == checked.nIbanError,
          "the paper form got another verdict");

  static quandor::Banking banking;
  const quandor::IbanResult validated = quandor::ValidateIban(first, banking);
  Require(validated.nIbanError == checked.nIbanError, "ValidateIban judged the form otherwise");
  Require(quandor::fuzz::IsKnownCode(validated.nAccountError), "unknown account verdict");
  Require((validated.nAccountError != quandor::qdNoValidation) == !checked.sBankNumber.empty(),
          "an account checked without a German IBAN, or not checked with one");

  CheckBuild(first, second);
  return 0;
}
