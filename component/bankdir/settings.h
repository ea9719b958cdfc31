// What places the bank code file "blz.txt" and chooses the default rules.
//
// The directory, in order: the one in the environment variable
// QUANDOR_DATA_DIR when it is set and not empty; the setting "filepath" of
// section [path] in $XDG_CONFIG_HOME/Quandor/Quandor.ini (default ~/.config)
// when it is not empty, "~" or "~/..." at its start meaning $HOME and a
// relative one taken from the settings file's directory; the shipped file's
// directory (beside the loaded component library, else the install's data
// directory: ShippedDataDirectory). The rules: QUANDOR_RULES, else the
// setting "rules" of section [check], else qdRulesOriginal.
//
// A settings file that is there but cannot be read whole is refused rather
// than half read: a line that does not fit the INI reader's line buffer
// (200 bytes, line end included, as the system's INI library is built), a
// file above 1 MiB, a read error. There is then no data path at all, and
// every lookup finds the bank code file missing, instead of a cut path naming
// another directory's file.
//
// Everything here reads what it is given; what is kept and for how long is
// decided above (bank_data.h).
#ifndef QUANDOR_BANKDIR_SETTINGS_H_
#define QUANDOR_BANKDIR_SETTINGS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "bankdir/file_stamp.h"

namespace quandor::bankdir {

inline constexpr const char* kBankFileName = "blz.txt";

// The environment variables that matter here, null when unset.
struct Environment {
  const char* data_dir = nullptr;     // QUANDOR_DATA_DIR
  const char* rules = nullptr;        // QUANDOR_RULES
  const char* config_home = nullptr;  // XDG_CONFIG_HOME
  const char* home = nullptr;         // HOME
};

// All four in one pass over the environment, where getenv would make four.
// The first entry of a name counts, as for getenv.
Environment ReadEnvironment();

// A copy of the environment's values, to tell whether it still says the same.
class EnvironmentSeen {
 public:
  EnvironmentSeen() = default;
  explicit EnvironmentSeen(const Environment& env);
  bool Matches(const Environment& env) const;

 private:
  std::optional<std::string> values_[4];
};

// The settings this component reads.
struct Settings {
  std::string filepath;  // [path] filepath
  std::string rules;     // [check] rules
  bool refused = false;  // the file is there but could not be read whole
};

// The settings file's path, per XDG (a relative XDG_CONFIG_HOME is ignored);
// empty when neither variable places it.
std::string SettingsFilePath(const Environment& env);

// The settings file at path as it is now, and what was seen of it; empty
// settings when it is absent. previous, when not null, is the last reading of
// the same path, kept when the file is provably unchanged.
struct SettingsReading {
  Settings settings;
  FileSeen seen;
};
SettingsReading ReadSettings(const std::string& path, const SettingsReading* previous);

// The directory of the bank code file, ending in "/", that env and the
// settings read from settings_path name; empty when the settings were refused.
std::string DataPathOf(const Environment& env, const std::string& settings_path,
                       const Settings& settings);

// The rules QUANDOR_RULES names, else the setting "rules" of section [check];
// nothing when neither names any (new objects then apply qdRulesOriginal).
std::optional<int32_t> ChosenRulesOf(const Environment& env, const Settings& settings);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_SETTINGS_H_
