// Arbitrary contents of the settings file through the data path, the default
// rules and a lookup, then again after the file changed under the same
// thread's cached reading. Nothing may crash; the data path is empty (the
// file refused) or a directory ending in "/"; the rules are one of the two.
//
// Input: one byte that picks QUANDOR_RULES and whether the file is replaced
// or rewritten in place, then the file's contents; after a NUL, the contents
// after the change (without one, the same again).
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "fuzz_support.h"
#include "quandor/banking.h"

namespace {

std::filesystem::path g_settings_dir;

void Check() {
  const std::string path = quandor::GetDataPath();
  if (!path.empty() && path.back() != '/') std::abort();
  const int32_t rules = quandor::GetDefaultRules();
  if (rules != quandor::qdRulesOriginal && rules != quandor::qdRulesCurrent) std::abort();
  quandor::Banking banking;
  (void)banking.SearchBankInfo("10000000");
  if (!quandor::fuzz::IsKnownCode(banking.LastError())) std::abort();
}

void Exercise(std::string_view second, uint8_t option) {
  Check();
  if (option & 0x80) {
    quandor::fuzz::WriteFile(g_settings_dir / "Quandor.new", second);
    std::filesystem::rename(g_settings_dir / "Quandor.new", g_settings_dir / "Quandor.ini");
  } else {
    quandor::fuzz::WriteFile(g_settings_dir / "Quandor.ini", second);
  }
  Check();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const auto config = quandor::fuzz::MakeTempDir("settings");
  g_settings_dir = config / "Quandor";
  std::filesystem::create_directories(g_settings_dir);
  // A bank code file that a relative setting such as "." finds.
  quandor::fuzz::WriteFile(g_settings_dir / "blz.txt", "10000000;Musterbank;Berlin;Muster;09\r\n");
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  unsetenv("QUANDOR_DATA_DIR");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  constexpr const char* kRules[] = {nullptr, "current", "original", "", "CURRENT", "other"};
  const char* rules = kRules[(data[0] & 0x7F) % 6];
  if (rules == nullptr) {
    unsetenv("QUANDOR_RULES");
  } else {
    setenv("QUANDOR_RULES", rules, 1);
  }
  std::string_view contents(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool has_second = contents.find('\0') != std::string_view::npos;
  auto [first, second] = quandor::fuzz::SplitAtNul(contents);
  if (!has_second) second = first;
  quandor::fuzz::WriteFile(g_settings_dir / "Quandor.ini", first);
  std::thread worker(Exercise, second, data[0]);
  worker.join();
  return 0;
}
