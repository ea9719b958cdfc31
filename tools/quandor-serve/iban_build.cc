#include "iban_build.h"

#include "quandor/iban.h"

namespace quandor_serve {

IbanBuild BuildIban(quandor::Banking& banking, std::string_view bank_code,
                    std::string_view account) {
  IbanBuild out;
  quandor::ValidateError form = quandor::qdNoError;
  std::string iban = quandor::MakeGermanIban(bank_code, account, &form);
  if (iban.empty()) {
    out.error = form;
    return out;
  }
  // The IBAN's own digits, read as MakeGermanIban read them.
  banking.Strictness(quandor::qdStrictnessRestrictive);
  if (!banking.Validate(iban.substr(4, 8), iban.substr(12)) &&
      banking.LastError() != quandor::qdTestingMethodUnknown) {
    out.error = banking.LastError();
    return out;
  }
  out.iban = std::move(iban);
  out.error = quandor::qdNoError;
  return out;
}

}  // namespace quandor_serve
