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

#include "bundesbank.h"
#include "commands.h"
#include "common.h"

namespace quandor_check {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quandor-check convert BUNDESBANK_FILE [--all-offices] [--output FILE]

Converts the Deutsche Bundesbank's bank code file (fixed-width, ISO-8859-1)
into the bank code file blz.txt that quandorlib reads: one bank a line,
"code;name;city;short name;method;postcode;BIC", UTF-8, CR LF, sorted by
bank code. Check methods written with a letter (A0 to E9) become 100 to 149.

Options:
  --all-offices   keep the branches too (default: one main office per code)
  --output FILE   write to FILE instead of standard output; a missing
                  directory is created
  --help          show this help

On a malformed line nothing is written and the exit status is 2.
Example:
  quandor-check convert blz_20200420.txt --output data/blz.txt
)";

constexpr OptionSpec kSpecs[] = {
    kHelpOption, kDataOption, {"all-offices", false}, {"output", true}};

bool ReadWholeFile(const std::string& name, std::string& content) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  content = std::move(buffer).str();
  return !in.bad();
}

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

}  // namespace

int RunConvert(Words words) {
  auto parsed = ParseCommand(kHelp, words, kSpecs);
  if (!parsed.ok()) return parsed.status().Report("convert");
  const Args& args = parsed->args;
  if (args.operands().size() != 1)
    return Status::Usage("expects one BUNDESBANK_FILE").Report("convert");
  const std::string source(args.operands()[0]);
  std::string content;
  if (!ReadWholeFile(source, content)) {
    return Status::File("cannot read " + source + ": " + std::strerror(errno)).Report("convert");
  }
  std::string converted;
  std::string error;
  if (!ConvertBundesbankFile(content, args.Has("all-offices"), converted, error)) {
    return Status::File(source + ": " + error + "; nothing written").Report("convert");
  }
  if (const auto output = args.Value("output"); output && *output != "-") {
    const std::string reason = WriteFileAtomically(std::string(*output), converted);
    if (!reason.empty()) {
      return Status::File("cannot write " + std::string(*output) + ": " + reason).Report("convert");
    }
    return kExitOk;
  }
  if (std::fwrite(converted.data(), 1, converted.size(), stdout) != converted.size() ||
      std::fflush(stdout) != 0) {
    return Status::File("cannot write output").Report("convert");
  }
  return kExitOk;
}

}  // namespace quandor_check
