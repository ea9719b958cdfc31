// Command-line words into options and operands: "--name value",
// "--name=value", flags, "--" before operands that begin with "-".
#ifndef QUANDOR_CHECK_ARGS_H_
#define QUANDOR_CHECK_ARGS_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "status.h"

namespace quandor_check {

struct OptionSpec {
  std::string_view name;  // without the leading "--"
  bool takes_value;
};

class Args {
 public:
  bool Has(std::string_view name) const;
  // The value given last for name, if any.
  std::optional<std::string_view> Value(std::string_view name) const;
  const std::vector<std::string_view>& operands() const { return operands_; }

 private:
  friend Status ParseArgs(std::span<const char* const>, std::span<const OptionSpec>, Args&);
  std::vector<std::pair<std::string_view, std::string_view>> options_;
  std::vector<std::string_view> operands_;
};

// Parses words against specs. "-h" is "--help". A word that begins with "-"
// and is a number ("-1") is an operand.
Status ParseArgs(std::span<const char* const> words, std::span<const OptionSpec> specs, Args& out);

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_ARGS_H_
