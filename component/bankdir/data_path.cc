#include "bankdir/data_path.h"

#include <fcntl.h>
#include <ini.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "bankdir/file_stamp.h"
#include "library_directory.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

// The settings file's path, per XDG: a relative XDG_CONFIG_HOME is ignored.
void SettingsFilePath(std::string& path) {
  path.clear();
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    path = config;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return;
    path = home;
    path += "/.config";
  }
  path += "/Quandor/Quandor.ini";
}

// The settings this component reads.
struct Settings {
  std::string filepath;  // [path] filepath
  std::string rules;     // [check] rules
};

int KeepSetting(void* user, const char* section, const char* name, const char* value) {
  // The platform these settings come from compares names without regard to case.
  auto& settings = *static_cast<Settings*>(user);
  if (strcasecmp(section, "path") == 0 && strcasecmp(name, "filepath") == 0) {
    settings.filepath = value;
  } else if (strcasecmp(section, "check") == 0 && strcasecmp(name, "rules") == 0) {
    settings.rules = value;
  }
  return 1;
}

// The last reading of the settings file, reused while the file is unchanged.
struct SettingsCache {
  std::string path;
  FileStamp stamp;
  bool settled = false;
  Settings settings;
};

// The settings as the file holds them now; empty texts when the file or a
// setting is absent.
const Settings& CurrentSettings() {
  thread_local SettingsCache cache;
  thread_local std::string path;
  SettingsFilePath(path);
  FileStamp stamp;
  if (path.empty() || !StampOf(path.c_str(), stamp)) {
    cache.settled = false;
    cache.settings = {};
    return cache.settings;
  }
  if (cache.settled && stamp == cache.stamp && path == cache.path) return cache.settings;
  const timespec read_start = FileClockNow();
  Settings settings;
  if (ini_parse(path.c_str(), KeepSetting, &settings) < 0) settings = {};
  cache.path = path;
  cache.stamp = stamp;
  cache.settled = StampIsSettled(stamp, read_start);
  cache.settings = std::move(settings);
  return cache.settings;
}

const std::string& FilepathSetting() { return CurrentSettings().filepath; }

std::optional<int32_t> ReadRules(const char* text) {
  if (text == nullptr) return std::nullopt;
  if (strcasecmp(text, "original") == 0) return qdRulesOriginal;
  if (strcasecmp(text, "current") == 0) return qdRulesCurrent;
  return std::nullopt;
}

void BuildDataPath(std::string& out) {
  const char* env = std::getenv("QUANDOR_DATA_DIR");
  if (env != nullptr && env[0] != '\0') {
    out = env;
  } else {
    out = FilepathSetting();
    if (out.empty()) out = quandor::LibraryDirectory();
  }
  if (out.empty() || out.back() != '/') out += '/';
}

}  // namespace

std::string GetDataPath() {
  std::string path;
  BuildDataPath(path);
  return path;
}

const std::string& BankFilePath() {
  thread_local std::string path;
  BuildDataPath(path);
  path += kBankFileName;
  return path;
}

int32_t DefaultRules() {
  if (const auto chosen = ReadRules(std::getenv("QUANDOR_RULES"))) return *chosen;
  if (const auto chosen = ReadRules(CurrentSettings().rules.c_str())) return *chosen;
  return qdRulesOriginal;
}

bool FileExists(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // A directory opens too, but holds no lines to read.
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular;
}

}  // namespace quandor::bankdir
