// quandor-check convert: the Bundesbank's file into the shipped bank code file.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "bankdir/text_decoding.h"
#include "bundesbank.h"
#include "commands.h"
#include "common.h"
#include "convert_edition.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quandor-check convert BUNDESBANK_FILE [--all-offices] [--output FILE]
                             [--valid-from DATE] [--valid-until DATE] [--next]

Converts the Deutsche Bundesbank's bank code file (fixed-width, ISO-8859-1)
into the bank code file blz.txt that quandorlib reads: one bank a line,
"code;name;city;short name;method;postcode;BIC", UTF-8, CR LF, sorted by
bank code. Check methods written with a letter (A0 to E9) become 100 to 149.

Options:
  --all-offices   keep the branches too (default: one main office per code)
  --output FILE   write to FILE instead of standard output
  --valid-from DATE   first day of the edition (YYYY-MM-DD); by default the
                  day in the Bundesbank's file name blz_YYYYMMDD.txt
  --valid-until DATE  last day of the edition, where it is known
  --next          place it as the next edition beside FILE (blz.next.txt):
                  it takes over from its first day on
  --help          show this help

The edition is written beside FILE, blz.edition beside blz.txt; quandorlib
and 'quandor-check data' tell from it whether the data is out of date. An
edition of unknown first day writes none.

On a malformed line nothing is written and the exit status is 1.
Examples:
  quandor-check convert blz_20260608.txt --valid-until 2026-09-06 --output data/blz.txt
  quandor-check convert blz_20261207.txt --next --output data/blz.txt
)";

constexpr OptionSpec kSpecs[] = {kHelpOption,      kDataOption,          {"all-offices", false},
                                 {"output", true}, {"valid-from", true}, {"valid-until", true},
                                 {"next", false}};

// Writes beside the target and renames, so that a failure leaves the old
// file whole and never half a new one.
std::string WriteFileAtomically(const std::string& name, const std::string& content) {
  const std::string temporary = name + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return std::strerror(errno);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t put = ::write(fd, content.data() + done, content.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) break;
    done += static_cast<std::size_t>(put);
  }
  const int write_errno = done < content.size() ? errno : 0;
  if (::close(fd) != 0 || write_errno != 0 || ::rename(temporary.c_str(), name.c_str()) != 0) {
    const std::string reason = std::strerror(write_errno != 0 ? write_errno : errno);
    ::unlink(temporary.c_str());
    return reason;
  }
  return {};
}

// Writes the converted text to path, or as the next edition beside it, with
// its edition file. The edition goes first: readers watch the bank code file,
// and what they read between the two is only an edition of unknown day.
int WriteEdition(const std::string& path, bool next, const quandor::bankdir::Edition& edition,
                 const std::string& converted) {
  std::string target = path;
  if (next) {
    if (const std::string reason = PromoteNextEdition(path); !reason.empty()) {
      return Fail(kExitUsage, reason);
    }
    target = quandor::bankdir::NextBankFileName(path);
  }
  const std::string edition_file = quandor::bankdir::EditionFileName(target);
  std::string reason;
  if (edition.valid_from) {
    reason = WriteFileAtomically(edition_file,
                                 quandor::bankdir::EditionFileText(
                                     edition, quandor::bankdir::DecodeBankFileText(converted)));
  } else if (::unlink(edition_file.c_str()) != 0 && errno != ENOENT) {
    reason = std::strerror(errno);
  }
  if (!reason.empty()) return Fail(kExitUsage, "cannot write " + edition_file + ": " + reason);
  reason = WriteFileAtomically(target, converted);
  if (!reason.empty()) return Fail(kExitUsage, "cannot write " + target + ": " + reason);
  return kExitOk;
}

}  // namespace

int RunConvert(Words words) {
  Args args;
  if (const auto done = ParseCommandArgs("convert", kHelp, words, kSpecs, args)) return *done;
  if (args.operands().size() != 1) return UsageError("convert", "expects one BUNDESBANK_FILE");
  const std::string source(args.operands()[0]);
  quandor::bankdir::Edition edition;
  if (const auto error = EditionOf(args, source, edition)) return UsageError("convert", *error);
  const auto output = args.Value("output");
  const bool to_file = output && *output != "-";
  if (!to_file && (args.Has("next") || args.Has("valid-from") || args.Has("valid-until"))) {
    return UsageError("convert", "the edition needs --output FILE to be written beside");
  }
  std::string content;
  if (!ReadWholeFile(source, content)) {
    return Fail(kExitUsage, "cannot read " + source + ": " + std::strerror(errno));
  }
  std::string converted;
  std::string error;
  if (!ConvertBundesbankFile(content, args.Has("all-offices"), converted, error)) {
    return Fail(kExitNegative, source + ": " + error + "; nothing written");
  }
  if (to_file) return WriteEdition(std::string(*output), args.Has("next"), edition, converted);
  if (std::fwrite(converted.data(), 1, converted.size(), stdout) != converted.size() ||
      std::fflush(stdout) != 0) {
    return Fail(kExitUsage, "cannot write output");
  }
  return kExitOk;
}

}  // namespace quandor_check
