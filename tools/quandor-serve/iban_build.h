// Building the IBAN of a bank connection, refused for a bank code that is
// not known or an account number that its bank's method rejects.
#ifndef QUANDOR_SERVE_IBAN_BUILD_H_
#define QUANDOR_SERVE_IBAN_BUILD_H_

#include <string>
#include <string_view>

#include "quandor/banking.h"

namespace quandor_serve {

struct IbanBuild {
  std::string iban;        // electronic form; "" when refused
  std::int32_t error = 0;  // why refused (a ValidateError), else qdNoError
};

// An account whose bank has no check method in the chosen rules cannot be
// judged, so its IBAN is built. banking is left showing the bank.
IbanBuild BuildIban(quandor::Banking& banking, std::string_view bank_code,
                    std::string_view account);

}  // namespace quandor_serve

#endif  // QUANDOR_SERVE_IBAN_BUILD_H_
