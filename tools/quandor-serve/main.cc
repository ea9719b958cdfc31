// quandor-serve: the checks of Quandor as a JSON service over HTTP.

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "args.h"
#include "common.h"
#include "http_server.h"
#include "quandor/banking.h"
#include "service.h"

namespace {

constexpr std::string_view kHelp = R"(Usage: quandor-serve [OPTIONS]

Answers checks of bank connections, IBANs and card numbers as JSON over HTTP
(see docs/openapi.yaml). Every option may also come from the environment as
QUANDOR_SERVE_<NAME> (e.g. QUANDOR_SERVE_LISTEN=0.0.0.0:8080); the command line
wins. The bank code file is found as by the library (QUANDOR_DATA_DIR, the
settings file, beside the library).

Options:
  --listen HOST:PORT       address to listen on (default 127.0.0.1:8080)
  --data DIR               directory of the bank code file blz.txt
  --rules RULES            default rules of the answers: current or original; else
                           QUANDOR_RULES or the settings file, else current
  --threads N              threads that serve connections (default: one per processor)
  --no-log                 no line per request on standard error
  --max-request-line N     bytes of the request line (default 8192; 414 beyond)
  --max-headers N          bytes of all header fields (default 16384; 431 beyond)
  --max-body N             bytes of a body (default 65536; 413 beyond)
  --max-batch-body N       bytes of a batch's body (default 1073741824)
  --max-batch-rows N       rows of a batch (default 10000000; 413 beyond)
  --max-connections N      open connections (default 10000; 503 beyond)
  --max-batches N          batches answered at once (default 16; 503 beyond)
  --header-timeout S       seconds for a request's head once begun (default 10; 408)
  --body-timeout S         seconds for a request's body (default 60; 408)
  --idle-timeout S         seconds a keep-alive connection may wait idle (default 30)
  --write-timeout S        seconds a client may take to read an answer (default 60)
  --drain-timeout S        seconds SIGTERM waits for requests in flight (default 30)
  --help                   show this help
)";

constexpr quandor_check::OptionSpec kSpecs[] = {{"help", false},
                                                {"listen", true},
                                                {"data", true},
                                                {"rules", true},
                                                {"threads", true},
                                                {"no-log", false},
                                                {"max-request-line", true},
                                                {"max-headers", true},
                                                {"max-body", true},
                                                {"max-batch-body", true},
                                                {"max-batch-rows", true},
                                                {"max-connections", true},
                                                {"max-batches", true},
                                                {"header-timeout", true},
                                                {"body-timeout", true},
                                                {"idle-timeout", true},
                                                {"write-timeout", true},
                                                {"drain-timeout", true}};

int Usage(const std::string& message) {
  std::fprintf(stderr, "quandor-serve: %s\nTry 'quandor-serve --help'.\n", message.c_str());
  return 2;
}

// The command line, with every option it lacks taken from QUANDOR_SERVE_<NAME>.
std::vector<std::string> WordsWithEnvironment(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  for (const auto& spec : kSpecs) {
    std::string name = "QUANDOR_SERVE_";
    for (const char c : spec.name)
      name.push_back(c == '-' ? '_' : static_cast<char>(std::toupper(c)));
    const char* value = std::getenv(name.c_str());
    if (value == nullptr || *value == '\0') continue;
    // Options from the environment come first, so the command line's win.
    std::vector<std::string> option{"--" + std::string(spec.name)};
    if (spec.takes_value) option.emplace_back(value);
    words.insert(words.begin(), option.begin(), option.end());
  }
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words = WordsWithEnvironment(argc, argv);
  std::vector<const char*> pointers;
  for (const auto& word : words) pointers.push_back(word.c_str());
  quandor_check::Args args;
  if (const auto status = quandor_check::ParseArgs(pointers, kSpecs, args); !status.ok()) {
    return Usage(status.message());
  }
  if (args.Has("help")) {
    std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
    return 0;
  }
  if (!args.operands().empty()) return Usage("takes no operands");

  quandor_serve::Settings settings;
  quandor_serve::ServerOptions server;
  if (const auto dir = args.Value("data")) quandor_check::UseDataDir(*dir);
  // QUANDOR_RULES or the settings file, as for every host; else today's.
  settings.rules = quandor::GetDefaultRules(quandor::qdRulesCurrent);
  if (const auto name = args.Value("rules")) {
    const auto rules = quandor_check::ParseRules(*name);
    if (!rules) return Usage("--rules takes current or original");
    settings.rules = *rules;
  }
  if (const auto listen = args.Value("listen")) {
    const std::size_t colon = listen->rfind(':');
    const auto port = colon == std::string_view::npos
                          ? std::nullopt
                          : quandor_check::ParseInteger(listen->substr(colon + 1));
    if (!port || *port < 0 || *port > 65535) return Usage("--listen takes HOST:PORT");
    server.host = std::string(listen->substr(0, colon));
    if (server.host.size() > 2 && server.host.front() == '[')
      server.host = server.host.substr(1, server.host.size() - 2);
    server.port = static_cast<std::uint16_t>(*port);
  }
  server.log = !args.Has("no-log");

  quandor_serve::Limits& limits = settings.limits;
  const struct {
    std::string_view name;
    std::int64_t min;
    std::int64_t max;
    std::function<void(std::int64_t)> set;
  } kNumbers[] = {
      {"threads", 1, 1024, [&](std::int64_t v) { server.threads = static_cast<int>(v); }},
      {"max-request-line", 64, 1 << 24,
       [&](std::int64_t v) { limits.request_line = static_cast<std::size_t>(v); }},
      {"max-headers", 64, 1 << 24,
       [&](std::int64_t v) { limits.headers = static_cast<std::size_t>(v); }},
      {"max-body", 0, std::int64_t{1} << 40,
       [&](std::int64_t v) { limits.body = static_cast<std::size_t>(v); }},
      {"max-batch-body", 0, std::int64_t{1} << 40,
       [&](std::int64_t v) { limits.batch_body = static_cast<std::size_t>(v); }},
      {"max-batch-rows", 0, std::int64_t{1} << 40,
       [&](std::int64_t v) { limits.batch_rows = static_cast<std::uint64_t>(v); }},
      {"max-connections", 1, 1 << 20,
       [&](std::int64_t v) { limits.connections = static_cast<std::size_t>(v); }},
      {"max-batches", 1, 4096,
       [&](std::int64_t v) { limits.batches = static_cast<std::size_t>(v); }},
      {"header-timeout", 1, 86400,
       [&](std::int64_t v) { limits.header_seconds = static_cast<int>(v); }},
      {"body-timeout", 1, 86400,
       [&](std::int64_t v) { limits.body_seconds = static_cast<int>(v); }},
      {"idle-timeout", 1, 86400,
       [&](std::int64_t v) { limits.idle_seconds = static_cast<int>(v); }},
      {"write-timeout", 1, 86400,
       [&](std::int64_t v) { limits.write_seconds = static_cast<int>(v); }},
      {"drain-timeout", 0, 86400,
       [&](std::int64_t v) { server.drain_seconds = static_cast<int>(v); }},
  };
  for (const auto& number : kNumbers) {
    const auto text = args.Value(number.name);
    if (!text) continue;
    const auto value = quandor_check::ParseInteger(*text);
    if (!value || *value < number.min || *value > number.max) {
      return Usage("--" + std::string(number.name) + " takes a number from " +
                   std::to_string(number.min) + " to " + std::to_string(number.max));
    }
    number.set(*value);
  }

  const quandor_serve::Service service(settings);
  quandor_serve::HttpServer http(service, server);
  if (const auto error = http.Listen()) {
    std::fprintf(stderr, "quandor-serve: %s\n", error->c_str());
    return 1;
  }
  std::fprintf(stderr, "quandor-serve: listening on %s:%u\n", server.host.c_str(), http.port());
  http.Run();
  std::fprintf(stderr, "quandor-serve: stopped\n");
  return 0;
}
