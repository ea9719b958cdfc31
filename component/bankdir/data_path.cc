#include "bankdir/data_path.h"

#include <fcntl.h>
#include <ini.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string_view>

#include "bankdir/change_watch.h"
#include "bankdir/file_stamp.h"
#include "bankdir/regular_file.h"
#include "bankdir/thread_pin.h"
#include "library_directory.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

// Whether QUANDOR_DATA_DIR names the directory.
bool Named(const char* data_dir) { return data_dir != nullptr && data_dir[0] != '\0'; }

// The environment variables that place the files. A lookup may need all
// three; one pass over the environment finds them, where getenv would make
// three. The first entry of a name counts, as for getenv.
struct PathEnvironment {
  const char* data_dir = nullptr;     // QUANDOR_DATA_DIR
  const char* config_home = nullptr;  // XDG_CONFIG_HOME
  const char* home = nullptr;         // HOME
};

// For the bank code file's place, QUANDOR_DATA_DIR suffices when set: the
// pass then ends there, as getenv would.
enum class Needed { kDataPath, kSettings };

PathEnvironment ReadPathEnvironment(Needed needed) {
  PathEnvironment found;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    if (needed == Needed::kDataPath && Named(found.data_dir)) break;
    const char* text = *entry;
    auto take = [text](std::string_view name, const char*& value) {
      if (value == nullptr && std::strncmp(text, name.data(), name.size()) == 0 &&
          text[name.size()] == '=') {
        value = text + name.size() + 1;
      }
    };
    switch (text[0]) {
      case 'Q':
        take("QUANDOR_DATA_DIR", found.data_dir);
        break;
      case 'X':
        take("XDG_CONFIG_HOME", found.config_home);
        break;
      case 'H':
        take("HOME", found.home);
        break;
      default:
        break;
    }
  }
  return found;
}

// The settings file's path, per XDG: a relative XDG_CONFIG_HOME is ignored.
void SettingsFilePath(const PathEnvironment& env, std::string& path) {
  path.clear();
  if (env.config_home != nullptr && env.config_home[0] == '/') {
    path = env.config_home;
  } else {
    if (env.home == nullptr || env.home[0] == '\0') return;
    path = env.home;
    path += "/.config";
  }
  path += "/Quandor/Quandor.ini";
}

// The settings this component reads.
struct Settings {
  std::string filepath;  // [path] filepath
  std::string rules;     // [check] rules
  bool refused = false;  // the file is there but could not be read whole
  uint64_t look = 0;     // tells this thread's looks at the file apart
};

// Far beyond any settings file; a larger one is refused unread.
constexpr std::size_t kMaxSettingsFileSize = std::size_t{1} << 20;

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

// Hands the INI reader one line of the text at a time. The reader's buffer
// has a fixed size; a line that does not fit would be cut, and so would a
// line at a NUL byte. A cut path names another directory, so such a line ends
// the reading as refused.
struct LineFeed {
  std::string_view rest;
  bool refused = false;
};

char* NextLine(char* buffer, int size, void* stream) {
  auto& feed = *static_cast<LineFeed*>(stream);
  if (feed.rest.empty()) return nullptr;
  const std::size_t end = feed.rest.find('\n');
  const std::string_view line = feed.rest.substr(0, end == std::string_view::npos ? end : end + 1);
  if (size <= 0 || line.size() >= static_cast<std::size_t>(size) ||
      line.find('\0') != std::string_view::npos) {
    feed.refused = true;
    return nullptr;
  }
  line.copy(buffer, line.size());
  buffer[line.size()] = '\0';
  feed.rest.remove_prefix(line.size());
  return buffer;
}

// The settings in text; refused when a line cannot be read whole.
Settings ParseSettings(std::string_view text) {
  Settings settings;
  LineFeed feed{text};
  if (ini_parse_stream(NextLine, &feed, KeepSetting, &settings) < 0 || feed.refused) {
    return Settings{{}, {}, true};
  }
  return settings;
}

// The last reading of the settings file, reused while the file is unchanged.
struct SettingsCache {
  FileLook look;
  FileStamp stamp;
  bool settled = false;
  Settings settings;
};

// The look at the settings file itself, when the watch cannot vouch for the copy.
void LookAtSettings(SettingsCache& cache, const std::string& path) {
  FileStamp stamp;
  if (!StampOf(path.c_str(), stamp)) {
    cache.settled = false;
    cache.settings = {};
    return;
  }
  if (cache.settled && stamp == cache.stamp) return;
  const timespec read_start = FileClockNow();
  std::optional<RegularFileContents> contents;
  try {
    contents = ReadRegularFile(path.c_str(), kMaxSettingsFileSize, "reading the settings file");
  } catch (const std::exception&) {
    cache.settled = false;
    cache.settings = Settings{{}, {}, true};
    return;
  }
  if (!contents) {
    // Gone or no regular file since the look at it: absent. Too large: refused.
    cache.settled = false;
    cache.settings = {};
    cache.settings.refused = StampOf(path.c_str(), stamp);
    return;
  }
  cache.stamp = contents->stamp;
  cache.settled = StampIsSettled(contents->stamp, read_start);
  cache.settings = ParseSettings(contents->bytes);
}

// The settings as the file holds them now, for an operation that took
// changes at its start; empty texts when the file or a setting is absent.
const Settings& CurrentSettings(const PathEnvironment& env, uint64_t changes) {
  thread_local SettingsCache cache;
  thread_local std::string path;
  thread_local uint64_t looks = 0;
  SettingsFilePath(env, path);
  if (path.empty()) {
    cache.settings = {};
  } else {
    if (cache.look.Vouches(path, changes)) return cache.settings;
    if (cache.look.path() != path) cache.settled = false;
    cache.look.Begin(path, changes);
    LookAtSettings(cache, path);
    cache.look.End();
  }
  cache.settings.look = ++looks;
  return cache.settings;
}

std::optional<int32_t> ReadRules(const char* text) {
  if (text == nullptr) return std::nullopt;
  if (strcasecmp(text, "original") == 0) return qdRulesOriginal;
  if (strcasecmp(text, "current") == 0) return qdRulesCurrent;
  return std::nullopt;
}

// The settings when there is no need to read them.
const Settings kNoSettings;

// "~" and "~/..." at the start of a setting mean the home directory, as in a
// shell; "~name" is left as it is. False when the home directory is unknown:
// the path then names no directory, rather than a folder named "~".
bool ExpandHome(std::string& path, const char* home) {
  if (path.front() != '~' || (path.size() > 1 && path[1] != '/')) return true;
  if (home == nullptr || home[0] == '\0') return false;
  path.replace(0, 1, home);
  return true;
}

// The directory of the bank code file, ending in "/": the one QUANDOR_DATA_DIR
// names, else the one the settings name; empty when the settings file had to
// be refused, so that no other directory's file is read.
void BuildDataPath(std::string& out, const PathEnvironment& env, const Settings& settings) {
  if (Named(env.data_dir)) {
    out = env.data_dir;
  } else {
    if (settings.refused) {
      out.clear();
      return;
    }
    out = settings.filepath;
    if (out.empty()) {
      out = quandor::LibraryDirectory();
    } else if (!ExpandHome(out, env.home)) {
      out.clear();
      return;
    } else if (out.front() != '/') {
      // Relative to the settings file, wherever the host was started.
      thread_local std::string settings_path;
      SettingsFilePath(env, settings_path);
      out.insert(0, settings_path, 0, settings_path.rfind('/') + 1);
    }
  }
  if (out.empty() || out.back() != '/') out += '/';
}

}  // namespace

std::string GetDataPath() {
  if (const PinnedFiles* pin = ThreadPin()) return pin->data_path;
  const PathEnvironment env = ReadPathEnvironment(Needed::kDataPath);
  std::string path;
  BuildDataPath(path, env,
                Named(env.data_dir) ? kNoSettings : CurrentSettings(env, ChangesSoFar()));
  return path;
}

const std::string& BankFilePath(uint64_t changes) {
  thread_local std::string path;
  // What the path was built from: the directory the environment named, or a
  // look at the settings file. While that stands, so does the path, and a
  // lookup is spared building it anew.
  thread_local std::string built_from_env;
  thread_local uint64_t built_from_look = 0;
  const PathEnvironment env = ReadPathEnvironment(Needed::kDataPath);
  const Settings* settings = nullptr;
  if (Named(env.data_dir)) {
    if (built_from_env == env.data_dir) return path;
  } else {
    settings = &CurrentSettings(env, changes);
    if (built_from_env.empty() && built_from_look == settings->look) return path;
  }
  BuildDataPath(path, env, settings != nullptr ? *settings : kNoSettings);
  if (!path.empty()) path += kBankFileName;
  built_from_env = Named(env.data_dir) ? env.data_dir : "";
  built_from_look = settings != nullptr ? settings->look : 0;
  return path;
}

const std::string& BankFilePath() {
  if (const PinnedFiles* pin = ThreadPin()) return pin->bank_file_path;
  return BankFilePath(ChangesSoFar());
}

int32_t DefaultRules() {
  if (const PinnedFiles* pin = ThreadPin()) return pin->default_rules;
  if (const auto chosen = ReadRules(std::getenv("QUANDOR_RULES"))) return *chosen;
  const Settings& settings =
      CurrentSettings(ReadPathEnvironment(Needed::kSettings), ChangesSoFar());
  if (const auto chosen = ReadRules(settings.rules.c_str())) {
    return *chosen;
  }
  return qdRulesOriginal;
}

bool FileExists(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  // A directory opens too, but holds no lines to read.
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular;
}

}  // namespace quandor::bankdir
