// quandor-check convert: the Bundesbank's file into the shipped bank code file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
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
  --output FILE   write to FILE instead of standard output; a missing
                  directory is created
  --valid-from DATE   first day of the edition (YYYY-MM-DD); by default the
                  day in the Bundesbank's file name blz_YYYYMMDD.txt
  --valid-until DATE  last day of the edition, where it is known
  --next          place it as the next edition beside FILE (blz.next.txt):
                  it takes over from its first day on
  --help          show this help

The edition is written beside FILE, blz.edition beside blz.txt; quandorlib
and 'quandor-check data' tell from it whether the data is out of date. An
edition of unknown first day writes none.

On a malformed line nothing is written and the exit status is 2.
Examples:
  quandor-check convert blz_20260608.txt --valid-until 2026-09-06 --output data/blz.txt
  quandor-check convert blz_20261207.txt --next --output data/blz.txt
)";

constexpr OptionSpec kSpecs[] = {kHelpOption,      kDataOption,          {"all-offices", false},
                                 {"output", true}, {"valid-from", true}, {"valid-until", true},
                                 {"next", false}};

// Creates the directories of path that are missing, as "mkdir -p" would.
std::string MakeDirectories(const std::filesystem::path& path) {
  if (path.empty()) return {};
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return error ? error.message() : std::string();
}

// Writes beside the target and renames, so that a failure leaves the old
// file whole and never half a new one. The temporary file is a new one of
// a name of its own in the target's directory (mkstemp: O_CREAT|O_EXCL),
// so that no link planted there can turn the write elsewhere.
std::string WriteFileAtomically(const std::string& name, const std::string& content) {
  const std::filesystem::path target(name);
  if (std::string reason = MakeDirectories(target.parent_path()); !reason.empty()) return reason;
  // A hidden name beside the target; the six X become mkstemp's own.
  std::string hidden = target.filename().string();
  hidden.insert(hidden.begin(), '.');
  hidden.append(".XXXXXX");
  std::string temporary = (target.parent_path() / hidden).string();
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  // mkstemp makes the file 0600; the bank code file is for every reader.
  ::fchmod(fd, 0644);
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
      return Status::File(reason).Report("convert");
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
  if (!reason.empty()) {
    return Status::File("cannot write " + edition_file + ": " + reason).Report("convert");
  }
  reason = WriteFileAtomically(target, converted);
  if (!reason.empty())
    return Status::File("cannot write " + target + ": " + reason).Report("convert");
  return kExitOk;
}

}  // namespace

int RunConvert(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("convert");
  const Args& args = parsed->args;
  if (args.operands().size() != 1)
    return Status::Usage("expects one BUNDESBANK_FILE").Report("convert");
  const std::string source(args.operands()[0]);
  quandor::bankdir::Edition edition;
  if (const auto error = EditionOf(args, source, edition))
    return Status::Usage(*error).Report("convert");
  const auto output = args.Value("output");
  const bool to_file = output && *output != "-";
  if (!to_file && (args.Has("next") || args.Has("valid-from") || args.Has("valid-until"))) {
    return Status::Usage("the edition needs --output FILE to be written beside").Report("convert");
  }
  std::string content;
  if (!ReadWholeFile(source, content)) {
    return Status::File("cannot read " + source + ": " + std::strerror(errno)).Report("convert");
  }
  std::string converted;
  std::string error;
  if (!ConvertBundesbankFile(content, args.Has("all-offices"), converted, error)) {
    return Status::File(source + ": " + error + "; nothing written").Report("convert");
  }
  if (to_file) return WriteEdition(std::string(*output), args.Has("next"), edition, converted);
  if (std::fwrite(converted.data(), 1, converted.size(), stdout) != converted.size() ||
      std::fflush(stdout) != 0) {
    return Status::File("cannot write output").Report("convert");
  }
  return kExitOk;
}

}  // namespace quandor_check
