#include "service.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <exception>
#include <memory>

#include "bank_file_watch.h"
#include "handlers.h"
#include "quandor/bank_file_pin.h"
#include "quandor/data_info.h"

namespace quandor_serve {
namespace {

struct RouteSpec {
  std::string_view method;
  std::string_view pattern;  // "{...}" matches any one path segment
  Response (*handle)(const Call&);
};

constexpr RouteSpec kRoutes[] = {
    {"GET", "/v1/accounts/{bank_code}/{account}", GetAccount},
    {"POST", "/v1/accounts:validate", ValidateAccounts},
    {"GET", "/v1/ibans/{iban}", GetIban},
    {"POST", "/v1/ibans", PostIban},
    {"GET", "/v1/banks/{bank_code}", GetBank},
    {"GET", "/v1/banks", SearchBanks},
    {"GET", "/v1/cards/{company}/{number}", GetCard},
    {"GET", "/v1/data", GetData},
    {"GET", "/healthz", GetHealth},
    {"GET", "/readyz", GetReady},
    {"GET", "/metrics", GetMetrics},
};

bool Matches(std::string_view pattern, const std::vector<std::string>& segments) {
  std::size_t i = 0;
  while (!pattern.empty()) {
    pattern.remove_prefix(1);  // the "/"
    const std::size_t end = pattern.find('/');
    const std::string_view part = pattern.substr(0, end);
    if (i >= segments.size()) return false;
    if (!part.starts_with('{') && part != segments[i]) return false;
    ++i;
    if (end == std::string_view::npos) break;
    pattern.remove_prefix(end);
  }
  return i == segments.size();
}

std::string_view Title(int status) {
  static constexpr std::pair<int, std::string_view> kTitles[] = {
      {400, "Bad Request"},
      {404, "Not Found"},
      {405, "Method Not Allowed"},
      {408, "Request Timeout"},
      {413, "Content Too Large"},
      {414, "URI Too Long"},
      {415, "Unsupported Media Type"},
      {422, "Unprocessable Content"},
      {431, "Request Header Fields Too Large"},
      {500, "Internal Server Error"},
      {503, "Service Unavailable"},
  };
  for (const auto& [code, title] : kTitles) {
    if (code == status) return title;
  }
  return "Error";
}

}  // namespace

Response JsonAnswer(int status, const Json& body) {
  Response response;
  response.status = status;
  // Replacement characters rather than an exception for text that is no
  // UTF-8 (a bank code file in another encoding, an echoed input).
  response.body = body.dump(-1, ' ', false, Json::error_handler_t::replace);
  return response;
}

Response Service::Error(int status, std::string_view detail) {
  return JsonAnswer(status, Json{{"status", status}, {"title", Title(status)}, {"detail", detail}});
}

std::string MediaType(std::string_view content_type) {
  content_type = content_type.substr(0, content_type.find(';'));
  while (!content_type.empty() && content_type.back() == ' ') content_type.remove_suffix(1);
  while (!content_type.empty() && content_type.front() == ' ') content_type.remove_prefix(1);
  std::string type(content_type);
  std::transform(type.begin(), type.end(), type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return type;
}

std::variant<CheckOptions, Response> ReadCheckOptions(const Service& service,
                                                      const Target& target) {
  CheckOptions options{service.settings().rules, quandor::qdStrictnessNormal};
  if (const std::string* name = target.Param("rules")) {
    const auto rules = quandor_check::ParseRules(*name);
    if (!rules) return Service::Error(400, "rules takes current or original");
    options.rules = *rules;
  }
  if (const std::string* strictness = target.Param("strictness")) {
    if (strictness->size() != 1 || (*strictness)[0] < '0' || (*strictness)[0] > '3') {
      return Service::Error(400, "strictness takes 0, 1, 2 or 3");
    }
    options.strictness = (*strictness)[0] - '0';
  }
  return options;
}

quandor::Banking& ThreadBanking(const CheckOptions& options) {
  thread_local std::unique_ptr<quandor::Banking> banking;
  if (!banking) banking = std::make_unique<quandor::Banking>();
  // Reset also ends the refusal of an object made while the file was missing.
  banking->Reset();
  banking->Rules(options.rules);
  banking->Strictness(options.strictness);
  return *banking;
}

Response Service::Route(const Request& request) const {
  const auto target = ParseTarget(request.target);
  if (!target) return Error(400, "the request target is no path or holds a bad percent escape");
  const auto options = ReadCheckOptions(*this, *target);
  if (const auto* error = std::get_if<Response>(&options)) return *error;
  std::string allow;
  for (const RouteSpec& route : kRoutes) {
    if (!Matches(route.pattern, target->segments)) continue;
    if (route.method != request.method) {
      allow.append(allow.empty() ? "" : ", ").append(route.method);
      continue;
    }
    Response response =
        route.handle(Call{*this, request, *target, std::get<CheckOptions>(options)});
    response.route = route.pattern;
    return response;
  }
  if (allow.empty()) return Error(404, "no such resource");
  Response response = Error(405, "the resource allows " + allow);
  response.allow = allow;
  return response;
}

void Service::WatchData() const {
  const std::string path = quandor_check::BankFilePath();
  struct stat info {};
  std::string version = path;
  if (::stat(path.c_str(), &info) == 0) {
    version += ' ' + std::to_string(info.st_ino) + ' ' + std::to_string(info.st_size) + ' ' +
               std::to_string(info.st_mtim.tv_sec) + '.' + std::to_string(info.st_mtim.tv_nsec);
  }
  const Json edition = EditionJson(quandor::GetDataInfo());
  metrics_.NoteData(version, edition.is_null() ? "" : edition["valid_from"].get<std::string>());
}

Response Service::Handle(const Request& request) const {
  try {
    // Every answer but a batch's comes from one version of the files; a
    // batch pins its own on the thread that streams it.
    const quandor::BankFilePin pin;
    return Route(request);
  } catch (const std::exception& e) {
    return Error(500, e.what());
  }
}

}  // namespace quandor_serve
