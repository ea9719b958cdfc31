#include "bank_file_watch.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "stream_io.h"

namespace quandor_check {
namespace {

// Why the file at path cannot serve, or nothing.
std::optional<std::string> FileProblem(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return "bank code file " + path +
           " not found (Bankleitzahlendatei nicht gefunden): " + std::strerror(errno) +
           "; name its directory with --data DIR";
  }
  if (!S_ISREG(info.st_mode)) return "bank code file " + path + " is not a regular file";
  if (info.st_size == 0) return "bank code file " + path + " is empty";
  return std::nullopt;
}

}  // namespace

std::string BankFilePath() { return quandor::GetDataPath() + "blz.txt"; }

std::optional<std::string> BankFileProblem(const quandor::Banking& banking) {
  const std::string path = BankFilePath();
  auto problem = FileProblem(path);
  if (!problem && banking.LastError() == quandor::qdBankNumberFileMissing) {
    problem = "bank code file " + path + " cannot be read";
  }
  return problem;
}

RowOutcome BankFileWatch::Judge(bool ok, std::int32_t error) {
  if (ok) return RowOutcome::kValid;
  if (error == quandor::qdTestingMethodUnknown) return RowOutcome::kNotCheckable;
  if (error != quandor::qdBankNumberUnknown && error != quandor::qdBankNumberFileMissing &&
      error != quandor::qdNoBankFound) {
    return RowOutcome::kInvalid;
  }
  // The file looked fine at the start, yet the pinned version could not be
  // read: it changed between that look and the pin.
  if (!problem_ && error == quandor::qdBankNumberFileMissing) {
    problem_ = "bank code file " + BankFilePath() + " cannot be read";
  }
  if (!problem_) return RowOutcome::kInvalid;
  if (!reported_) {
    OutputSink::FlushActive();
    std::fprintf(stderr, "quandor-check: %s; rows that need it are not checked\n",
                 problem_->c_str());
    reported_ = true;
  }
  return RowOutcome::kNotCheckable;
}

}  // namespace quandor_check
