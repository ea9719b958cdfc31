#include "bankdir/data_path.h"

#include <fcntl.h>
#include <ini.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "bankdir/file_stamp.h"
#include "library_directory.h"

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

int KeepFilepath(void* user, const char* section, const char* name, const char* value) {
  // The platform this setting comes from compares names without regard to case.
  if (strcasecmp(section, "path") == 0 && strcasecmp(name, "filepath") == 0) {
    *static_cast<std::string*>(user) = value;
  }
  return 1;
}

// The last reading of the settings file, reused while the file is unchanged.
struct SettingsCache {
  std::string path;
  FileStamp stamp;
  bool settled = false;
  std::string filepath;
};

// The setting "filepath", or "" when the file or the setting is absent.
const std::string& FilepathSetting() {
  thread_local SettingsCache cache;
  thread_local std::string path;
  SettingsFilePath(path);
  FileStamp stamp;
  if (path.empty() || !StampOf(path.c_str(), stamp)) {
    cache.settled = false;
    cache.filepath.clear();
    return cache.filepath;
  }
  if (cache.settled && stamp == cache.stamp && path == cache.path) return cache.filepath;
  const timespec read_start = FileClockNow();
  std::string value;
  if (ini_parse(path.c_str(), KeepFilepath, &value) < 0) value.clear();
  cache.path = path;
  cache.stamp = stamp;
  cache.settled = StampIsSettled(stamp, read_start);
  cache.filepath = std::move(value);
  return cache.filepath;
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
