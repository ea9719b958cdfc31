// The parts of a request target: path segments and query parameters,
// percent-decoded.
#ifndef QUANDOR_SERVE_QUERY_H_
#define QUANDOR_SERVE_QUERY_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quandor_serve {

// Percent-decodes text; in a query, "+" is a blank. Nothing when a "%" is not
// followed by two hex digits or the result holds a NUL.
std::optional<std::string> PercentDecode(std::string_view text, bool query);

struct Target {
  std::vector<std::string> segments;  // "/v1/banks/x" gives "v1", "banks", "x"
  std::vector<std::pair<std::string, std::string>> params;

  // The value given last for name, if any.
  const std::string* Param(std::string_view name) const;
};

// Splits and decodes a request target; nothing when it is not an absolute
// path or holds a bad percent escape.
std::optional<Target> ParseTarget(std::string_view target);

}  // namespace quandor_serve

#endif  // QUANDOR_SERVE_QUERY_H_
