// The network side of the service: HTTP/1.1 with keep-alive over TCP,
// asynchronous on a pool of threads, with the limits of Limits. Every
// request goes to Service::Handle; streamed answers (batches) run on a
// thread of their own so that a long batch holds up no other connection.
#ifndef QUANDOR_SERVE_HTTP_SERVER_H_
#define QUANDOR_SERVE_HTTP_SERVER_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "service.h"

namespace quandor_serve {

struct ServerOptions {
  std::string host = "127.0.0.1";
  std::uint16_t port = 8080;  // 0: any free port (see HttpServer::port)
  int threads = 0;            // 0: one per processor
  bool log = true;            // one line per request on standard error
  int drain_seconds = 30;     // how long SIGTERM waits for requests in flight
};

class HttpServer {
 public:
  HttpServer(const Service& service, ServerOptions options);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds and listens; a message when that fails.
  std::optional<std::string> Listen();
  std::uint16_t port() const;

  // Serves until SIGTERM or SIGINT, then stops accepting, answers the
  // requests in flight (closing idle connections) and returns.
  void Run();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quandor_serve

#endif  // QUANDOR_SERVE_HTTP_SERVER_H_
