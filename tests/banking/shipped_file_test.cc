#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "library_directory.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

// The places of a shipped file: beside the library (for this statically
// linked test, the program), else the install's directory relative to it.
TEST(ShippedFile, BesideTheLibraryThenTheInstalledDirectory) {
  const std::string program = std::filesystem::canonical("/proc/self/exe").parent_path().string();
  testing::TempDir installed;
  installed.WriteFile("blz.txt", "");
  installed.WriteFile("only-installed.txt", "");
  const std::string relative = std::filesystem::relative(installed.path(), program).string();
  const struct {
    const char* file;
    std::string directory;
  } cases[] = {
      {"blz.txt", program},  // in both places: beside the library wins
      {"only-installed.txt", installed.path().string()},
      {"nowhere.txt", program},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShippedFileDirectory(c.file, relative.c_str()), c.directory) << c.file;
  }
}

}  // namespace
}  // namespace quandor
