#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "quandor/banking.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::BankFileText;
using testing::InFreshThread;
using testing::ScopedEnv;
using testing::TempDir;

// The directory of the running test program, which holds the shipped file.
std::string ProgramDirectory() {
  return std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
}

TEST(DataPath, EnvironmentBeforeSettingBeforeLibrary) {
  TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  ScopedEnv data("QUANDOR_DATA_DIR", std::nullopt);
  EXPECT_EQ(GetDataPath(), ProgramDirectory());

  config.WriteFile("Quandor/Quandor.ini",
                   "[other]\nfilepath=/nowhere\n[path]\nfilepath = /srv/banks\n");
  EXPECT_EQ(GetDataPath(), "/srv/banks/");
  // Read anew at every use.
  config.WriteFile("Quandor/Quandor.ini", "[Path]\nFilePath=/srv/banks2/\n");
  EXPECT_EQ(GetDataPath(), "/srv/banks2/");
  config.WriteFile("Quandor/Quandor.ini", "[path]\nfilepath=\n");
  EXPECT_EQ(GetDataPath(), ProgramDirectory());

  config.WriteFile("Quandor/Quandor.ini", "[path]\nfilepath=/srv/banks\n");
  {
    ScopedEnv env("QUANDOR_DATA_DIR", "/data/dir");
    EXPECT_EQ(GetDataPath(), "/data/dir/");
  }
  {
    ScopedEnv empty("QUANDOR_DATA_DIR", "");
    EXPECT_EQ(GetDataPath(), "/srv/banks/");
  }
}

// The objects' default falls back to the original rules, a host's own
// default to what it names; a choice in the environment or the settings file
// rules both.
TEST(DataPath, ChosenRulesElseTheFallback) {
  struct Case {
    std::optional<std::string> env;
    std::string setting;
    int32_t objects, current_host;
  };
  const Case cases[] = {
      {std::nullopt, "", qdRulesOriginal, qdRulesCurrent},
      {"original", "", qdRulesOriginal, qdRulesOriginal},
      {"CURRENT", "original", qdRulesCurrent, qdRulesCurrent},
      {std::nullopt, "original", qdRulesOriginal, qdRulesOriginal},
      {std::nullopt, "current", qdRulesCurrent, qdRulesCurrent},
      {"neither", "", qdRulesOriginal, qdRulesCurrent},
  };
  TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.env.value_or("(unset)") + " / " + c.setting);
    ScopedEnv rules("QUANDOR_RULES", c.env);
    config.WriteFile("Quandor/Quandor.ini", "[check]\nrules=" + c.setting + "\n");
    InFreshThread([&] {
      EXPECT_EQ(GetDefaultRules(), c.objects);
      EXPECT_EQ(GetDefaultRules(qdRulesCurrent), c.current_host);
    });
  }
}

// Mended: a relative setting was taken from the working directory, and "~"
// named a folder "~" there instead of the home directory.
TEST(DataPath, RelativeSettingFromTheSettingsFilesDirectory) {
  TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  ScopedEnv data("QUANDOR_DATA_DIR", std::nullopt);
  ScopedEnv home("HOME", "/home/anna");
  const std::string settings_dir = config.path().string() + "/Quandor/";
  const std::pair<std::string_view, std::string> cases[] = {
      {"banks", settings_dir + "banks/"},
      {"../banks/", settings_dir + "../banks/"},
      {"./", settings_dir + "./"},
      {"/srv/banks", "/srv/banks/"},
      {"~/bankdaten", "/home/anna/bankdaten/"},
      {"~", "/home/anna/"},
      {"~anna/banks", settings_dir + "~anna/banks/"},
  };
  for (const auto& [setting, path] : cases) {
    config.WriteFile("Quandor/Quandor.ini", "[path]\nfilepath=" + std::string(setting) + "\n");
    EXPECT_EQ(GetDataPath(), path) << setting;
  }
  // Without a home directory "~" names none.
  ScopedEnv no_home("HOME", "");
  EXPECT_EQ(GetDataPath(), settings_dir + "~anna/banks/");
  config.WriteFile("Quandor/Quandor.ini", "[path]\nfilepath=~/bankdaten\n");
  EXPECT_EQ(GetDataPath(), "");
}

// Mended: the INI reader cut lines at 200 bytes, so a long setting named a
// directory other than the one written, whose file was then read. A line is
// now read whole or the settings file refused: no data path, no bank file.
TEST(DataPath, LongSettingIsReadWholeOrRefused) {
  TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  ScopedEnv data("QUANDOR_DATA_DIR", std::nullopt);
  for (std::size_t length : {150u, 185u, 188u, 189u, 190u, 232u, 4000u}) {
    const std::string dir = "/srv/" + std::string(length - 6, 'b') + "/";
    config.WriteFile("Quandor/Quandor.ini", "[path]\r\nfilepath = " + dir + "\r\n");
    const std::string path = GetDataPath();
    EXPECT_TRUE(path == dir || path.empty()) << length << ": " << path;
    if (length <= 185) {
      EXPECT_EQ(path, dir) << length;
    }
    if (path.empty()) {
      InFreshThread([] {
        Banking b;
        EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
      });
    }
  }
  // The same for a long line elsewhere in the file (it might have been a
  // path), and for a line that a NUL byte would cut.
  config.WriteFile("Quandor/Quandor.ini",
                   "[path]\nfilepath=/srv/banks\n; " + std::string(300, 'x') + "\n");
  EXPECT_EQ(GetDataPath(), "");
  config.WriteFile("Quandor/Quandor.ini", std::string("[path]\nfilepath=/srv/a\0b\n", 25));
  EXPECT_EQ(GetDataPath(), "");
}

TEST(DataPath, SettingFindsTheFile) {
  TempDir config;
  TempDir data;
  data.WriteFile("blz.txt", BankFileText({"10000000;Musterbank;Berlin;Musterbank Berlin;09"}));
  config.WriteFile("Quandor/Quandor.ini", "[path]\nfilepath=" + data.path().string() + "\n");
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  ScopedEnv env("QUANDOR_DATA_DIR", std::nullopt);
  InFreshThread([] {
    Banking b;
    EXPECT_TRUE(b.searchBank("10000000"));
  });
}

TEST(DataPath, ShippedFileBesideTheProgram) {
  TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  ScopedEnv env("QUANDOR_DATA_DIR", std::nullopt);
  InFreshThread([] {
    Banking b;
    ASSERT_TRUE(b.searchBank("37050198"));
    EXPECT_EQ(b.BankName(), "Sparkasse KölnBonn");
    EXPECT_EQ(b.BankCity(), "Köln");
  });
}

}  // namespace
}  // namespace quandor
