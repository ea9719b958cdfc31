// The routes of the service, each a function from a request to its answer.
#ifndef QUANDOR_SERVE_HANDLERS_H_
#define QUANDOR_SERVE_HANDLERS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "answers.h"
#include "quandor/data_info.h"
#include "query.h"
#include "service.h"

namespace quandor_serve {

// ?rules= and ?strictness= of a request, which every route accepts.
struct CheckOptions {
  std::int32_t rules;
  std::int32_t strictness;
};

struct Call {
  const Service& service;
  const Request& request;
  const Target& target;
  CheckOptions options;
};

// A JSON answer.
Response JsonAnswer(int status, const Json& body);

// The media type of a Content-Type header, in lower case, without parameters.
std::string MediaType(std::string_view content_type);

// The options of a request's query, or the error answer for a bad value.
std::variant<CheckOptions, Response> ReadCheckOptions(const Service& service, const Target& target);

// The thread's Banking object, reset and set to options. Made on first use
// so that it loads the bank index under the caller's pin.
quandor::Banking& ThreadBanking(const CheckOptions& options);

Response GetAccount(const Call& call);
Response GetIban(const Call& call);
Response PostIban(const Call& call);
Response GetBank(const Call& call);
Response SearchBanks(const Call& call);
Response GetCard(const Call& call);
Response ValidateAccounts(const Call& call);
Response GetData(const Call& call);

// The edition of the bank code file for /v1/data: valid_from, valid_until
// (null where not named), state ("current" or "expired") and text; null
// when the file records none or cannot be read.
Json EditionJson(const quandor::DataInfo& info);
Response GetHealth(const Call& call);
Response GetReady(const Call& call);
Response GetMetrics(const Call& call);

}  // namespace quandor_serve

#endif  // QUANDOR_SERVE_HANDLERS_H_
