#include "answers.h"

#include "quandor/codes.def"
#include "quandor/iban.h"

namespace quandor_serve {
namespace {}  // namespace

// The codes' names as the library's headers spell them (quandor/codes.def).
#define QUANDOR_NAME_CASE(name, value, ...) \
  case value:                               \
    return #name;

Json ErrorName(std::int32_t code) {
  switch (code) {
    QUANDOR_ERRORS(QUANDOR_NAME_CASE)
    default:
      return nullptr;
  }
}

Json IbanErrorName(std::int32_t code) {
  switch (code) {
    QUANDOR_IBAN_ERRORS(QUANDOR_NAME_CASE)
    default:
      return nullptr;
  }
}

#undef QUANDOR_NAME_CASE

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
