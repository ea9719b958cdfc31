#include "iban_build.h"

#include "quandor/iban.h"

namespace quandor_serve {

IbanBuild BuildIban(quandor::Banking& banking, std::string_view bank_code,
                    std::string_view account) {
  quandor::ValidateError error = quandor::qdNoError;
  IbanBuild out;
  out.iban = quandor::MakeGermanIban(bank_code, account, banking, &error);
  // A bank without a check method gets its IBAN, as quandor-check builds it.
  out.error = out.iban.empty() ? error : quandor::qdNoError;
  return out;
}

}  // namespace quandor_serve
