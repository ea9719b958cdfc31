// The single answers: one account, IBAN, bank, search or card, and the
// service's own state.
#include <array>
#include <cctype>
#include <chrono>
#include <cstdio>

#include "bank_file_watch.h"
#include "handlers.h"
#include "iban_build.h"
#include "quandor/creditcard.h"
#include "quandor/data_info.h"
#include "quandor/iban.h"

namespace quandor_serve {
namespace {

std::string IsoDay(const std::chrono::year_month_day& day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return text;
}

}  // namespace

Json EditionJson(const quandor::DataInfo& info) {
  if (!info.found || !info.valid_from) return nullptr;
  return Json{{"valid_from", IsoDay(*info.valid_from)},
              {"valid_until", info.valid_until ? Json(IsoDay(*info.valid_until)) : Json(nullptr)},
              {"state", info.state == quandor::EditionState::kExpired ? "expired" : "current"},
              {"text", quandor::EditionText(info)}};
}

namespace {

// The status of a lookup that found no bank: the input's fault, the data's absence, or none.
int LookupFailureStatus(std::int32_t error) {
  switch (error) {
    case quandor::qdBankNumberUnknown:
    case quandor::qdNoBankFound:
      return 404;
    case quandor::qdBankNumberFileMissing:
      return 503;
    case quandor::qdUnknownError:
      return 500;
    default:
      return 400;
  }
}

}  // namespace

Response GetAccount(const Call& call) {
  quandor::Banking& banking = ThreadBanking(call.options);
  const bool valid = banking.Validate(call.target.segments[2], call.target.segments[3]);
  Json answer = Json::object();
  AddAccountFields(answer, banking, valid);
  return JsonAnswer(200, answer);
}

Response GetIban(const Call& call) {
  quandor::Banking& banking = ThreadBanking(call.options);
  const quandor::IbanResult r = quandor::ValidateIban(call.target.segments[2], banking);
  const bool checked = r.nAccountError != quandor::qdNoValidation;
  return JsonAnswer(
      200, Json{{"valid", r.ValidOrUncheckable()},
                {"iban", r.sIban},
                {"formatted", r.IbanOk() ? Json(quandor::FormatIban(r.sIban)) : Json(nullptr)},
                {"error", r.nIbanError},
                {"error_name", IbanErrorName(r.nIbanError)},
                {"message", quandor::GetIbanErrorText(r.nIbanError)},
                {"bank_code", r.sBankNumber.empty() ? Json(nullptr) : Json(r.sBankNumber)},
                {"account", r.sAccountNumber.empty() ? Json(nullptr) : Json(r.sAccountNumber)},
                {"account_error", checked ? Json(r.nAccountError) : Json(nullptr)},
                {"account_error_name", checked ? ErrorName(r.nAccountError) : Json(nullptr)},
                {"account_message",
                 checked ? Json(quandor::GetErrorText(r.nAccountError)) : Json(nullptr)},
                {"rules", RulesName(banking.Rules())},
                {"bank", checked ? BankJson(banking) : Json(nullptr)}});
}

Response PostIban(const Call& call) {
  if (MediaType(call.request.content_type) != "application/json") {
    return Service::Error(415, "send the bank connection as application/json");
  }
  const Json body = Json::parse(call.request.body, nullptr, false);
  if (body.is_discarded() || !body.is_object())
    return Service::Error(400, "the body is no JSON object");
  const auto bank_code = body.find("bank_code");
  const auto account = body.find("account");
  if (bank_code == body.end() || !bank_code->is_string() || account == body.end() ||
      !account->is_string()) {
    return Service::Error(400, "the body needs the strings bank_code and account");
  }
  quandor::Banking& banking = ThreadBanking(call.options);
  const IbanBuild built =
      BuildIban(banking, bank_code->get<std::string>(), account->get<std::string>());
  if (built.iban.empty()) {
    const int status = built.error == quandor::qdBankNumberFileMissing ? 503 : 422;
    Response response = JsonAnswer(status, Json{{"status", status},
                                                {"title", "IBAN refused"},
                                                {"detail", quandor::GetErrorText(built.error)},
                                                {"error", built.error},
                                                {"error_name", ErrorName(built.error)}});
    return response;
  }
  return JsonAnswer(200, Json{{"iban", built.iban},
                              {"formatted", quandor::FormatIban(built.iban)},
                              {"bank_code", built.iban.substr(4, 8)},
                              {"account", built.iban.substr(12)},
                              {"bank", BankJson(banking)}});
}

Response GetBank(const Call& call) {
  quandor::Banking& banking = ThreadBanking(call.options);
  if (!banking.searchBank(call.target.segments[2])) {
    return Service::Error(LookupFailureStatus(banking.LastError()), banking.LastErrorString());
  }
  Json bank = BankJson(banking);
  bank["postcode"] = banking.BankPostcode();
  return JsonAnswer(200, bank);
}

Response SearchBanks(const Call& call) {
  const std::string* text = call.target.Param("q");
  if (text == nullptr || text->empty())
    return Service::Error(400, "q names the text to search for");
  std::int32_t option = quandor::qdSearchAll;
  if (const std::string* fields = call.target.Param("in")) {
    static constexpr std::pair<std::string_view, std::int32_t> kFields[] = {
        {"all", quandor::qdSearchAll},
        {"blz", quandor::qdSearchBLZ},
        {"code", quandor::qdSearchBLZ},
        {"name", quandor::qdSearchName},
        {"city", quandor::qdSearchCity}};
    std::string_view rest = *fields;
    while (true) {
      const std::string_view word = rest.substr(0, rest.find(','));
      const auto* found = std::find_if(std::begin(kFields), std::end(kFields),
                                       [&](const auto& f) { return f.first == word; });
      if (found == std::end(kFields))
        return Service::Error(400, "in takes code, name, city or all");
      option |= found->second;
      if (word.size() == rest.size()) break;
      rest.remove_prefix(word.size() + 1);
    }
  }
  quandor::Banking& banking = ThreadBanking(call.options);
  Json banks = Json::array();
  if (banking.SearchBankByText(*text, option)) {
    do {
      banks.push_back(BankJson(banking));
    } while (banking.NextFoundBank());
  } else if (banking.LastError() != quandor::qdNoBankFound) {
    return Service::Error(LookupFailureStatus(banking.LastError()), banking.LastErrorString());
  }
  const std::size_t count = banks.size();
  return JsonAnswer(200, Json{{"count", count}, {"banks", std::move(banks)}});
}

Response GetCard(const Call& call) {
  quandor::Creditcard card;
  card.Rules(call.options.rules);
  // Cards are read leniently unless the caller asks otherwise, as Creditcard does.
  card.Strictness(call.target.Param("strictness") ? call.options.strictness
                                                  : quandor::qdStrictnessLow);
  // A word that names no company is as unknown as company 6.
  const std::int32_t company =
      quandor_check::CardCompanyNumber(call.target.segments[2]).value_or(-1);
  const bool valid = card.Validate(company, call.target.segments[3]);
  return JsonAnswer(200, Json{{"valid", valid},
                              {"error", card.LastError()},
                              {"error_name", ErrorName(card.LastError())},
                              {"message", card.LastErrorString()},
                              {"company", quandor_check::CardCompanyName(company).empty()
                                              ? Json(nullptr)
                                              : Json(quandor_check::CardCompanyName(company))},
                              {"rules", RulesName(call.options.rules)}});
}

Response GetData(const Call& call) {
  const quandor::DataInfo info = quandor::GetDataInfo();
  return JsonAnswer(200, Json{{"edition", EditionJson(info)},
                              {"path", info.path},
                              {"banks", info.found ? Json(info.bank_count) : Json(nullptr)},
                              {"rules", RulesName(call.service.settings().rules)}});
}

Response GetHealth(const Call&) { return JsonAnswer(200, Json{{"status", "ok"}}); }

Response GetReady(const Call& call) {
  quandor::Banking& banking = ThreadBanking(call.options);
  if (const auto problem = quandor_check::BankFileProblem(banking)) {
    return JsonAnswer(503, Json{{"ready", false}, {"detail", *problem}});
  }
  return JsonAnswer(200, Json{{"ready", true}});
}

Response GetMetrics(const Call& call) {
  Response response;
  response.content_type = "text/plain; version=0.0.4; charset=utf-8";
  response.body = call.service.metrics().Render();
  return response;
}

}  // namespace quandor_serve
