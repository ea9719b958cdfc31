#include "http_server.h"

#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace quandor_serve {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = boost::beast::http;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

// Writes all of data to a socket, waiting at most seconds for it to take
// each part: a client that reads nothing cannot hold a batch's thread.
bool SendAll(int fd, std::string_view data, int seconds) {
  while (!data.empty()) {
    const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      data.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
    pollfd ready{fd, POLLOUT, 0};
    if (::poll(&ready, 1, seconds * 1000) <= 0) return false;
  }
  return true;
}

// A streamed answer's body in HTTP/1.1 chunks (or plain, to an HTTP/1.0
// client, which then learns the end from the closed connection).
class SocketSink : public Sink {
 public:
  // Stops taking pieces once cut_off is set.
  SocketSink(int fd, bool chunked, int seconds, const std::atomic<bool>& cut_off)
      : fd_(fd), chunked_(chunked), seconds_(seconds), cut_off_(cut_off) {}
  bool Write(std::string_view piece) override {
    if (cut_off_) ok_ = false;
    if (piece.empty()) return ok_;
    bytes_ += piece.size();
    if (!chunked_) return ok_ = ok_ && SendAll(fd_, piece, seconds_);
    char size[24];
    const int length = std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
    ok_ = ok_ && SendAll(fd_, std::string_view(size, static_cast<std::size_t>(length)), seconds_) &&
          SendAll(fd_, piece, seconds_) && SendAll(fd_, "\r\n", seconds_);
    return ok_;
  }
  bool Finish() {
    if (chunked_) ok_ = ok_ && SendAll(fd_, "0\r\n\r\n", seconds_);
    return ok_;
  }
  std::size_t bytes() const { return bytes_; }

 private:
  int fd_;
  bool chunked_;
  int seconds_;
  const std::atomic<bool>& cut_off_;
  bool ok_ = true;
  std::size_t bytes_ = 0;
};

// The threads that stream batches: a fixed set, so that each keeps its bank
// index from batch to batch and all are joined before the process ends.
class BatchPool {
 public:
  explicit BatchPool(std::size_t threads) {
    for (std::size_t i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
  }
  ~BatchPool() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    ready_.notify_all();
    for (auto& thread : threads_) thread.join();
  }
  BatchPool(const BatchPool&) = delete;
  BatchPool& operator=(const BatchPool&) = delete;

  // Runs job on a free thread; false when every thread is busy.
  bool TryRun(std::function<void()> job) {
    {
      const std::lock_guard lock(mutex_);
      if (busy_ + jobs_.size() >= threads_.size()) return false;
      jobs_.push_back(std::move(job));
    }
    ready_.notify_one();
    return true;
  }

 private:
  void Work() {
    std::unique_lock lock(mutex_);
    while (true) {
      ready_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      std::function<void()> job = std::move(jobs_.front());
      jobs_.pop_front();
      ++busy_;
      lock.unlock();
      job();
      job = nullptr;  // whatever the job holds goes before the thread is counted free
      lock.lock();
      --busy_;
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> jobs_;
  std::size_t busy_ = 0;
  bool stop_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace

class HttpServer::Impl {
 public:
  Impl(const Service& service, ServerOptions options)
      : service_(service),
        options_(std::move(options)),
        batches_(service.settings().limits.batches) {}

  std::optional<std::string> Listen();
  std::uint16_t port() const { return workers_.front()->acceptor.local_endpoint().port(); }
  void Run();

  class Session;

  const Service& service_;
  const ServerOptions options_;
  // One event loop per thread, each with its own listening socket on the
  // same port (SO_REUSEPORT): the kernel spreads the connections, and a
  // connection's work never leaves its thread, so nothing is locked or
  // handed between threads on the way of a request.
  struct Worker {
    asio::io_context ioc{1};
    tcp::acceptor acceptor{ioc};
    // Keeps the loop running while it has nothing to wait for: a batch's
    // thread still posts its end to it after the acceptor has closed.
    asio::executor_work_guard<asio::io_context::executor_type> busy{ioc.get_executor()};
  };
  std::vector<std::unique_ptr<Worker>> workers_;
  std::atomic<bool> draining_{false};
  std::atomic<bool> cut_off_{false};  // the grace time is over: batches stop
  std::atomic<std::size_t> connections_{0};
  BatchPool batches_;
  std::mutex sessions_mutex_;
  std::set<std::shared_ptr<Session>> sessions_;

  void Forget(const std::shared_ptr<Session>& session);

 private:
  void Accept(Worker& worker);
  void Drain();
  void StopAll();
};

class HttpServer::Impl::Session : public std::enable_shared_from_this<Session> {
 public:
  Session(Impl& server, tcp::socket socket)
      : server_(server), socket_(std::move(socket)), deadline_(socket_.get_executor()) {}

  void Start(bool refuse) {
    asio::dispatch(socket_.get_executor(), [self = shared_from_this(), refuse] {
      if (refuse) {
        self->close_ = true;
        self->Answer(Service::Error(503, "too many connections"));
        return;
      }
      self->WaitForRequest();
    });
  }

  // Closes the connection when it waits for a request; one in flight finishes first.
  void CloseIfIdle() {
    asio::post(socket_.get_executor(), [self = shared_from_this()] {
      beast::error_code ec;
      if (self->idle_) self->socket_.close(ec);
    });
  }

 private:
  const Limits& limits() const { return server_.service_.settings().limits; }

  // Waits for the first byte of a request: an idle keep-alive connection is
  // closed quietly, while a request that has begun must be whole in time.
  void WaitForRequest() {
    if (server_.draining_) return End();
    if (buffer_.size() > 0) return ReadHead();
    idle_ = true;
    Deadline(limits().idle_seconds);
    socket_.async_read_some(buffer_.prepare(4096),
                            [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                              self->idle_ = false;
                              self->deadline_.cancel();
                              if (ec || self->timed_out_) return self->End();
                              self->buffer_.commit(n);
                              self->ReadHead();
                            });
  }

  void ReadHead() {
    parser_.emplace();
    parser_->header_limit(static_cast<std::uint32_t>(limits().request_line + limits().headers));
    // The parser weighs a Content-Length against this already with the head;
    // the route's own limit is set once the head names the route.
    parser_->body_limit(std::max(limits().body, limits().batch_body));
    Deadline(limits().header_seconds);
    http::async_read_header(
        socket_, buffer_, *parser_,
        [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnHead(ec); });
  }

  // The status for a request whose head broke a limit: 414 when its first
  // line is too long, else 431.
  int HeadLimitStatus() const {
    const std::string_view seen(static_cast<const char*>(buffer_.data().data()),
                                buffer_.data().size());
    const std::size_t line_end = seen.find('\n');
    return line_end == std::string_view::npos || line_end > limits().request_line ? 414 : 431;
  }

  // Arms the time-out of reading a request: when it strikes, the read is
  // cancelled and the request answered 408. (The stream's own time-out
  // would close the socket, leaving no way to answer.)
  void Deadline(int seconds) {
    timed_out_ = false;
    deadline_.expires_after(std::chrono::seconds(seconds));
    deadline_.async_wait([self = shared_from_this()](beast::error_code ec) {
      if (ec) return;
      self->timed_out_ = true;
      beast::error_code ignored;
      self->socket_.cancel(ignored);
    });
  }

  void OnHead(beast::error_code ec) {
    started_ = Clock::now();
    deadline_.cancel();
    if (timed_out_) return Fail(408, "the request head was not sent in time");
    if (ec) return Refuse(ec, true);
    const auto& head = parser_->get();
    if (head.target().size() > limits().request_line) {
      return Fail(414, "the request line is longer than " + std::to_string(limits().request_line) +
                           " bytes");
    }
    std::size_t header_bytes = 0;
    for (const auto& field : head)
      header_bytes += field.name_string().size() + field.value().size() + 4;
    if (header_bytes > limits().headers) {
      return Fail(431, "the header fields are longer than " + std::to_string(limits().headers) +
                           " bytes together");
    }
    const bool batch = head.target().starts_with("/v1/accounts:validate");
    const std::size_t body_limit = batch ? limits().batch_body : limits().body;
    parser_->body_limit(body_limit);
    if (const auto length = parser_->content_length(); length && *length > body_limit) {
      return Fail(413, "the body is longer than " + std::to_string(body_limit) + " bytes");
    }
    if (parser_->is_done()) return Dispatch();
    const auto expect = head[http::field::expect];
    if (beast::iequals(expect, "100-continue")) {
      Deadline(limits().write_seconds);
      static constexpr std::string_view kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
      return asio::async_write(socket_, asio::buffer(kContinue.data(), kContinue.size()),
                               [self = shared_from_this()](beast::error_code e, std::size_t) {
                                 self->deadline_.cancel();
                                 if (e || self->timed_out_) return self->End();
                                 self->ReadBody();
                               });
    }
    ReadBody();
  }

  void ReadBody() {
    Deadline(limits().body_seconds);
    http::async_read(socket_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code ec, std::size_t) {
                       self->deadline_.cancel();
                       if (self->timed_out_)
                         return self->Fail(408, "the request body was not sent in time");
                       if (ec) return self->Refuse(ec, false);
                       self->Dispatch();
                     });
  }

  // Answers a request that could not be read, and closes.
  void Refuse(beast::error_code ec, bool head) {
    if (ec == http::error::header_limit) {
      const int status = HeadLimitStatus();
      return Fail(status, status == 414 ? "the request line is too long"
                                        : "the header fields are too long");
    }
    if (ec == http::error::body_limit) return Fail(413, "the body is too long");
    if (ec == http::error::end_of_stream || ec == asio::error::eof ||
        ec == asio::error::connection_reset || ec == asio::error::operation_aborted ||
        ec == http::error::partial_message) {
      return End();
    }
    Fail(400, head ? "malformed request head" : "malformed request body");
  }

  void Fail(int status, std::string message) {
    close_ = true;
    Answer(Service::Error(status, message));
  }

  void Dispatch() {
    auto& message = parser_->get();
    request_.method = std::string(message.method_string());
    request_.target = std::string(message.target());
    request_.content_type = std::string(message[http::field::content_type]);
    request_.body = std::move(message.body());
    close_ = !message.keep_alive() || server_.draining_;
    version_ = message.version();
    Response response = server_.service_.Handle(request_);
    if (response.stream) return Stream(std::move(response));
    Answer(std::move(response));
  }

  void Answer(Response response) {
    auto answer = std::make_shared<http::response<http::string_body>>(
        static_cast<http::status>(response.status), version_ ? version_ : 11);
    answer->set(http::field::content_type, response.content_type);
    if (!response.allow.empty()) answer->set(http::field::allow, response.allow);
    answer->keep_alive(!close_);
    answer->body() = std::move(response.body);
    answer->prepare_payload();
    status_ = response.status;
    route_ = response.route;
    bytes_ = answer->body().size();
    Deadline(limits().write_seconds);
    http::async_write(socket_, *answer,
                      [self = shared_from_this(), answer](beast::error_code ec, std::size_t) {
                        self->deadline_.cancel();
                        self->Done(!ec && !self->timed_out_);
                      });
  }

  // Runs a streamed answer on a thread of its own, writing straight to the
  // socket; the session does nothing else with the socket meanwhile.
  void Stream(Response response) {
    status_ = response.status;
    route_ = response.route;
    const bool chunked = version_ >= 11;
    if (!chunked) close_ = true;
    std::string head = "HTTP/1.1 " + std::to_string(response.status) +
                       " OK\r\nContent-Type: " + response.content_type + "\r\n" +
                       (chunked ? "Transfer-Encoding: chunked\r\n" : "") +
                       (close_ ? "Connection: close\r\n" : "") + "\r\n";
    auto job = [self = shared_from_this(), head = std::move(head), chunked,
                produce = std::move(response.stream)] {
      const int fd = self->socket_.native_handle();
      const int seconds = self->limits().write_seconds;
      SocketSink sink(fd, chunked, seconds, self->server_.cut_off_);
      bool ok = SendAll(fd, head, seconds);
      if (ok) {
        produce(sink);
        ok = sink.Finish();
      }
      self->bytes_ = sink.bytes();
      asio::post(self->socket_.get_executor(), [self, ok] { self->Done(ok); });
    };
    if (!server_.batches_.TryRun(std::move(job))) {
      Answer(Service::Error(503, "too many batches at once; try again"));
    }
  }

  void Done(bool written) {
    const double seconds = std::chrono::duration<double>(Clock::now() - started_).count();
    server_.service_.metrics().Record(route_, status_, seconds);
    if (server_.options_.log) {
      std::fprintf(stderr, "%s %s %s %d %zu %.3fms\n", Remote().c_str(),
                   request_.method.empty() ? "-" : request_.method.c_str(),
                   request_.target.empty() ? "-" : request_.target.c_str(), status_, bytes_,
                   seconds * 1000);
    }
    request_ = Request{};
    route_ = "other";
    if (!written) return End();
    if (close_) return Linger();
    WaitForRequest();
  }

  // Closes after an answer that ends the connection, reading what the client
  // still sends for a moment first: closing on unread data would reset the
  // connection, and the client might lose the answer.
  void Linger() {
    beast::error_code ec;
    socket_.shutdown(tcp::socket::shutdown_send, ec);
    if (ec) return End();
    if (lingered_ == 0) Deadline(2);
    buffer_.clear();
    socket_.async_read_some(
        buffer_.prepare(65536), [self = shared_from_this()](beast::error_code e, std::size_t n) {
          self->lingered_ += n;
          if (e || self->timed_out_ || self->lingered_ > (std::size_t{1} << 20)) {
            self->deadline_.cancel();
            return self->End();
          }
          self->Linger();
        });
  }

  std::string Remote() const {
    beast::error_code ec;
    const auto endpoint = socket_.remote_endpoint(ec);
    return ec ? std::string("-")
              : endpoint.address().to_string() + ":" + std::to_string(endpoint.port());
  }

  void End() {
    beast::error_code ec;
    socket_.shutdown(tcp::socket::shutdown_send, ec);
    socket_.close(ec);
    server_.Forget(shared_from_this());
  }

  Impl& server_;
  tcp::socket socket_;
  asio::steady_timer deadline_;
  bool timed_out_ = false;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  Request request_;
  Clock::time_point started_ = Clock::now();
  std::string_view route_ = "other";
  int status_ = 0;
  std::size_t bytes_ = 0;
  unsigned version_ = 11;
  bool close_ = false;
  bool idle_ = false;
  std::size_t lingered_ = 0;
};

std::optional<std::string> HttpServer::Impl::Listen() {
  beast::error_code ec;
  const auto address = asio::ip::make_address(options_.host, ec);
  if (ec) return "not an IP address: " + options_.host;
  const int count = options_.threads > 0
                        ? options_.threads
                        : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  tcp::endpoint endpoint(address, options_.port);
  for (int i = 0; i < count && !ec; ++i) {
    auto& worker = *workers_.emplace_back(std::make_unique<Worker>());
    worker.acceptor.open(endpoint.protocol(), ec);
    if (!ec) worker.acceptor.set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec) {
      const int on = 1;
      if (::setsockopt(worker.acceptor.native_handle(), SOL_SOCKET, SO_REUSEPORT, &on, sizeof on) !=
          0) {
        ec.assign(errno, boost::system::system_category());
      }
    }
    if (!ec) worker.acceptor.bind(endpoint, ec);
    if (!ec) worker.acceptor.listen(asio::socket_base::max_listen_connections, ec);
    // With port 0 the first socket chose one; the others join it.
    if (!ec) endpoint.port(worker.acceptor.local_endpoint().port());
  }
  if (ec) {
    return "cannot listen on " + options_.host + ":" + std::to_string(options_.port) + ": " +
           ec.message();
  }
  return std::nullopt;
}

void HttpServer::Impl::Accept(Worker& worker) {
  worker.acceptor.async_accept([this, &worker](beast::error_code ec, tcp::socket socket) {
    if (ec) {
      if (worker.acceptor.is_open() && !draining_) Accept(worker);
      return;
    }
    socket.set_option(tcp::no_delay(true), ec);
    auto session = std::make_shared<Session>(*this, std::move(socket));
    const bool refuse = connections_.fetch_add(1) >= service_.settings().limits.connections;
    {
      const std::lock_guard lock(sessions_mutex_);
      sessions_.insert(session);
    }
    session->Start(refuse);
    Accept(worker);
  });
}

void HttpServer::Impl::Forget(const std::shared_ptr<Session>& session) {
  const std::lock_guard lock(sessions_mutex_);
  if (sessions_.erase(session) == 0) return;
  connections_.fetch_sub(1);
  if (draining_ && sessions_.empty()) StopAll();
}

void HttpServer::Impl::StopAll() {
  for (auto& worker : workers_) worker->ioc.stop();
}

void HttpServer::Impl::Drain() {
  draining_ = true;
  for (auto& worker : workers_) {
    asio::post(worker->ioc, [&acceptor = worker->acceptor] {
      beast::error_code ec;
      acceptor.close(ec);
    });
  }
  const std::lock_guard lock(sessions_mutex_);
  if (sessions_.empty()) return StopAll();
  for (const auto& session : sessions_) session->CloseIfIdle();
}

void HttpServer::Impl::Run() {
  Worker& first = *workers_.front();
  asio::signal_set signals(first.ioc, SIGTERM, SIGINT);
  asio::steady_timer deadline(first.ioc);
  signals.async_wait([this, &deadline](beast::error_code ec, int) {
    if (ec) return;
    Drain();
    // Requests that outlast the grace time are cut off.
    deadline.expires_after(std::chrono::seconds(options_.drain_seconds));
    deadline.async_wait([this](beast::error_code e) {
      if (e) return;
      cut_off_ = true;
      StopAll();
    });
  });
  asio::steady_timer watch(first.ioc);
  const std::function<void()> look = [&] {
    service_.WatchData();
    watch.expires_after(std::chrono::seconds(1));
    watch.async_wait([&](beast::error_code ec) {
      if (!ec && !draining_) look();
    });
  };
  look();
  std::vector<std::thread> threads;
  for (auto& worker : workers_) {
    Accept(*worker);
    if (worker != workers_.front()) threads.emplace_back([&ioc = worker->ioc] { ioc.run(); });
  }
  first.ioc.run();
  for (auto& thread : threads) thread.join();
}

HttpServer::HttpServer(const Service& service, ServerOptions options)
    : impl_(std::make_unique<Impl>(service, std::move(options))) {}
HttpServer::~HttpServer() = default;
std::optional<std::string> HttpServer::Listen() { return impl_->Listen(); }
std::uint16_t HttpServer::port() const { return impl_->port(); }
void HttpServer::Run() { impl_->Run(); }

}  // namespace quandor_serve
