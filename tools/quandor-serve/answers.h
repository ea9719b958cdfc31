// The JSON of the library's verdicts, shared by the single answers and the batch rows.
#ifndef QUANDOR_SERVE_ANSWERS_H_
#define QUANDOR_SERVE_ANSWERS_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

#include "common.h"
#include "quandor/banking.h"

namespace quandor_serve {

using Json = nlohmann::ordered_json;

// The name of an error code as the public header spells it ("qdWrongCheckDigit"), or null.
Json ErrorName(std::int32_t code);
Json IbanErrorName(std::int32_t code);

using quandor_check::RulesName;

// {"code", "name", "city", "bic"} of the bank that banking shows, or null when none.
Json BankJson(const quandor::Banking& banking);

// Adds the verdict of banking.Validate to an object: "valid", "error",
// "error_name", "message", "method", "rules", "bank".
void AddAccountFields(Json& into, const quandor::Banking& banking, bool valid);

}  // namespace quandor_serve

#endif  // QUANDOR_SERVE_ANSWERS_H_
