#include "answers.h"

#include <array>
#include <utility>

#include "quandor/iban.h"

namespace quandor_serve {
namespace {

constexpr std::pair<std::int32_t, std::string_view> kErrorNames[] = {
    {quandor::qdNoValidation, "qdNoValidation"},
    {quandor::qdNoError, "qdNoError"},
    {quandor::qdWrongCheckDigit, "qdWrongCheckDigit"},
    {quandor::qdBankNumberMissing, "qdBankNumberMissing"},
    {quandor::qdAccountNumberMissing, "qdAccountNumberMissing"},
    {quandor::qdBankNumberWrongDigits, "qdBankNumberWrongDigits"},
    {quandor::qdAccountNumberWrongDigits, "qdAccountNumberWrongDigits"},
    {quandor::qdBankNumberUnknown, "qdBankNumberUnknown"},
    {quandor::qdTestingMethodUnknown, "qdTestingMethodUnknown"},
    {quandor::qdBankNumberFileMissing, "qdBankNumberFileMissing"},
    {quandor::qdAccountNumberIncorrectly, "qdAccountNumberIncorrectly"},
    {quandor::qdBankNumberIncorrectly, "qdBankNumberIncorrectly"},
    {quandor::qdCardWrongCheckDigit, "qdCardWrongCheckDigit"},
    {quandor::qdCardCompanyMissing, "qdCardCompanyMissing"},
    {quandor::qdCardNumberMissing, "qdCardNumberMissing"},
    {quandor::qdCompanyNumberUnknown, "qdCompanyNumberUnknown"},
    {quandor::qdCardNumberIncorrectly, "qdCardNumberIncorrectly"},
    {quandor::qdNoBankFound, "qdNoBankFound"},
    {quandor::qdUnknownError, "qdUnknownError"},
};

constexpr std::array<std::string_view, 6> kIbanErrorNames = {
    "qdIbanOk",          "qdIbanMissing",         "qdIbanIncorrectly", "qdIbanCountryUnknown",
    "qdIbanWrongLength", "qdIbanWrongCheckDigits"};

}  // namespace

Json ErrorName(std::int32_t code) {
  for (const auto& [value, name] : kErrorNames) {
    if (value == code) return name;
  }
  return nullptr;
}

Json IbanErrorName(std::int32_t code) {
  if (code < 0 || code >= static_cast<std::int32_t>(kIbanErrorNames.size())) return nullptr;
  return kIbanErrorNames[static_cast<std::size_t>(code)];
}

Json BankJson(const quandor::Banking& banking) {
  if (banking.BankName().empty()) return nullptr;
  // The code without the blanks that the input check may have kept from the input.
  std::string code = banking.BankNumber();
  std::erase(code, ' ');
  return Json{{"code", std::move(code)},
              {"name", banking.BankName()},
              {"city", banking.BankCity()},
              {"bic", banking.BankBIC()}};
}

void AddAccountFields(Json& into, const quandor::Banking& banking, bool valid) {
  const std::int32_t error = banking.LastError();
  const int method = banking.UsedTestingMethod();
  into["valid"] = valid;
  into["error"] = error;
  into["error_name"] = ErrorName(error);
  into["message"] = banking.LastErrorString();
  into["method"] = method < 0 ? Json(nullptr) : Json(quandor::TestingMethodCode(method));
  into["rules"] = RulesName(banking.Rules());
  into["bank"] = BankJson(banking);
}

}  // namespace quandor_serve
