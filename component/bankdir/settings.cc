#include "bankdir/settings.h"

#include <ini.h>
#include <strings.h>
#include <unistd.h>

#include <cstring>
#include <exception>
#include <string_view>

#include "bankdir/regular_file.h"
#include "library_directory.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

// Whether QUANDOR_DATA_DIR names the directory.
bool Named(const char* data_dir) { return data_dir != nullptr && data_dir[0] != '\0'; }

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

std::optional<int32_t> ReadRules(const char* text) {
  if (text == nullptr) return std::nullopt;
  if (strcasecmp(text, "original") == 0) return qdRulesOriginal;
  if (strcasecmp(text, "current") == 0) return qdRulesCurrent;
  return std::nullopt;
}

// The value of entry when it is "name=value", else null. Reads no further
// than the first byte that differs, so never past entry's end.
const char* ValueOf(const char* entry, std::string_view name) {
  for (const char c : name) {
    if (*entry++ != c) return nullptr;
  }
  return *entry == '=' ? entry + 1 : nullptr;
}

}  // namespace

Environment ReadEnvironment() {
  Environment found;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const char* text = *entry;
    auto take = [text](std::string_view name, const char*& value) {
      if (value == nullptr) value = ValueOf(text, name);
    };
    switch (text[0]) {
      case 'Q':
        take("QUANDOR_DATA_DIR", found.data_dir);
        take("QUANDOR_RULES", found.rules);
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

EnvironmentSeen::EnvironmentSeen(const Environment& env) {
  const char* values[] = {env.data_dir, env.rules, env.config_home, env.home};
  for (int i = 0; i < 4; ++i) {
    if (values[i] != nullptr) values_[i] = values[i];
  }
}

bool EnvironmentSeen::Matches(const Environment& env) const {
  const char* values[] = {env.data_dir, env.rules, env.config_home, env.home};
  for (int i = 0; i < 4; ++i) {
    const bool same = values[i] == nullptr
                          ? !values_[i].has_value()
                          : values_[i] && std::strcmp(values_[i]->c_str(), values[i]) == 0;
    if (!same) return false;
  }
  return true;
}

std::string SettingsFilePath(const Environment& env) {
  std::string path;
  if (env.config_home != nullptr && env.config_home[0] == '/') {
    path = env.config_home;
  } else {
    if (env.home == nullptr || env.home[0] == '\0') return path;
    path = env.home;
    path += "/.config";
  }
  return path + "/Quandor/Quandor.ini";
}

SettingsReading ReadSettings(const std::string& path, const SettingsReading* previous) {
  if (previous != nullptr && previous->seen.StillSo(path.c_str())) return *previous;
  const timespec read_start = FileClockNow();
  std::optional<RegularFileContents> contents;
  try {
    contents = ReadRegularFile(path.c_str(), kMaxSettingsFileSize, "reading the settings file");
  } catch (const std::exception&) {
    return {Settings{{}, {}, true}, FileSeen{true, {}, false}};
  }
  if (!contents) {
    // No regular file: absent. Too large: refused, and looked at again.
    FileStamp stamp;
    if (!StampOf(path.c_str(), stamp)) return {Settings{}, FileSeen::Absent()};
    return {Settings{{}, {}, true}, FileSeen{true, stamp, false}};
  }
  return {ParseSettings(contents->bytes), FileSeen::Read(contents->stamp, read_start)};
}

namespace {

// "~" and "~/..." at the start of a setting mean the home directory, as in a
// shell; "~name" is left as it is. False when the home directory is unknown:
// the path then names no directory, rather than a folder named "~".
bool ExpandHome(std::string& path, const char* home) {
  if (path.front() != '~' || (path.size() > 1 && path[1] != '/')) return true;
  if (home == nullptr || home[0] == '\0') return false;
  path.replace(0, 1, home);
  return true;
}

}  // namespace

std::string DataPathOf(const Environment& env, const std::string& settings_path,
                       const Settings& settings) {
  std::string path;
  if (Named(env.data_dir)) {
    path = env.data_dir;
  } else {
    if (settings.refused) return path;
    path = settings.filepath;
    if (path.empty()) {
      path = quandor::ShippedDataDirectory();
    } else if (!ExpandHome(path, env.home)) {
      return {};
    } else if (path.front() != '/') {
      // Relative to the settings file, wherever the host was started.
      path.insert(0, settings_path, 0, settings_path.rfind('/') + 1);
    }
  }
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::optional<int32_t> ChosenRulesOf(const Environment& env, const Settings& settings) {
  if (const auto chosen = ReadRules(env.rules)) return chosen;
  return ReadRules(settings.rules.c_str());
}

}  // namespace quandor::bankdir
