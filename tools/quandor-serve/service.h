// The service's answers, apart from the network: one request in, one
// response out. The HTTP adapter (http_server.h) reads requests off sockets
// and writes the responses back; the fuzzer drives Handle directly.
#ifndef QUANDOR_SERVE_SERVICE_H_
#define QUANDOR_SERVE_SERVICE_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "metrics.h"

namespace quandor_serve {

struct Request {
  std::string method;  // "GET", "POST", ...
  std::string target;  // path and query as sent, percent-encoded
  std::string content_type;
  std::string body;
};

// Where a streamed answer goes, piece by piece. Write returns false when the
// client is gone; the producer then stops.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual bool Write(std::string_view piece) = 0;
};

struct Response {
  int status = 200;
  std::string content_type = "application/json";
  std::string body;
  std::string allow;  // the methods of the route, for 405
  // The route's name for metrics and logs, e.g. "/v1/accounts/{bank_code}/{account}".
  std::string_view route = "other";
  // Set for a streamed answer: runs the whole stream into the sink, on the
  // thread that calls it, and then body is unused.
  std::function<void(Sink&)> stream;
};

struct Limits {
  std::size_t request_line = 8 * 1024;  // 414 beyond
  std::size_t headers = 16 * 1024;      // 431 beyond: all header fields together
  std::size_t body = 64 * 1024;         // 413 beyond, for every route but the batch
  std::size_t batch_body = std::size_t{1} << 30;
  std::uint64_t batch_rows = 10'000'000;  // 413 beyond
  std::size_t connections = 10'000;       // further connections are answered 503 and closed
  std::size_t batches = 16;               // batches streaming at once, each on a thread; 503 beyond
  int header_seconds = 10;                // 408 when a request's head takes longer (slow clients)
  int body_seconds = 60;                  // 408 when a body takes longer
  int idle_seconds = 30;                  // an idle keep-alive connection is closed after
  int write_seconds = 60;                 // a client that reads no answer for this long is dropped
};

struct Settings {
  std::int32_t rules = 1;  // qdRulesCurrent: the default rules of answers without ?rules=
  Limits limits;
};

class Service {
 public:
  explicit Service(Settings settings) : settings_(settings) {}

  // Answers one request. Never throws; every failure is a JSON answer.
  Response Handle(const Request& request) const;

  // A JSON error answer: {"status", "title", "detail"}.
  static Response Error(int status, std::string_view detail);

  // Looks whether the bank code file changed since the last look, for the
  // metrics; the server calls it once a second.
  void WatchData() const;

  const Settings& settings() const { return settings_; }
  Metrics& metrics() const { return metrics_; }

 private:
  Response Route(const Request& request) const;

  Settings settings_;
  mutable Metrics metrics_;
};

}  // namespace quandor_serve

#endif  // QUANDOR_SERVE_SERVICE_H_
