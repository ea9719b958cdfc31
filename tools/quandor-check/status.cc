#include "status.h"

#include <cstdio>

namespace quandor_check {

void AppendExitStatusTable(std::string& out, std::string_view indent) {
  for (const ExitStatusText& row : kExitStatusTable) {
    out.append(indent).append(std::to_string(row.status)).append("  ").append(row.meaning);
    out.push_back('\n');
  }
}

int Status::Report(std::string_view command) const {
  if (!exit_) return kExitOk;
  if (usage_) {
    std::fprintf(stderr, "quandor-check %.*s: %s\nTry 'quandor-check %.*s --help'.\n",
                 static_cast<int>(command.size()), command.data(), message_.c_str(),
                 static_cast<int>(command.size()), command.data());
  } else if (!message_.empty()) {
    std::fprintf(stderr, "quandor-check: %s\n", message_.c_str());
  }
  return *exit_;
}

}  // namespace quandor_check
