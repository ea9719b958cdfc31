// quandor-serve's request-to-response path without the network: any method,
// target, content type and body, streamed answers run to their end. Every
// answer must be JSON (or the metrics' text) with a status the service uses.
//
// Input: "METHOD TARGET", a NUL, the content type, a NUL, the body.
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz_support.h"
#include "service.h"

namespace {

class CountingSink : public quandor_serve::Sink {
 public:
  bool Write(std::string_view piece) override {
    bytes += piece.size();
    return true;
  }
  std::size_t bytes = 0;
};

quandor_serve::Service& FuzzService() {
  static quandor_serve::Service service([] {
    quandor_serve::Settings settings;
    settings.limits.batch_rows = 1000;
    return settings;
  }());
  return service;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  auto dir = quandor::fuzz::MakeTempDir("serve");
  quandor::fuzz::WriteFile(dir / "blz.txt",
                           "37040044;Commerzbank;Köln;Commerzbank Köln;13;50447;COBADEFFXXX;0;\r\n"
                           "10010010;Postbank;Berlin;Postbank Berlin;24;10559;PBNKDEFFXXX;0;\r\n"
                           "12345678;Kurz;Ort\r\n");
  setenv("QUANDOR_DATA_DIR", dir.c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  auto [line, rest] = quandor::fuzz::SplitAtNul(input);
  auto [content_type, body] = quandor::fuzz::SplitAtNul(rest);
  quandor_serve::Request request;
  const std::size_t blank = line.find(' ');
  request.method = std::string(line.substr(0, blank));
  request.target = blank == std::string_view::npos ? "" : std::string(line.substr(blank + 1));
  request.content_type = std::string(content_type);
  request.body = std::string(body);
  const quandor_serve::Response response = FuzzService().Handle(request);
  if (response.status < 200 || response.status > 599) std::abort();
  if (response.stream) {
    CountingSink sink;
    response.stream(sink);
  } else if (response.content_type == "application/json" &&
             !nlohmann::json::accept(response.body)) {
    std::abort();
  }
  return 0;
}
