// Runs the quandor-check binary in a scratch directory of its own.
#ifndef QUANDOR_TESTS_CLI_CLI_RUNNER_H_
#define QUANDOR_TESTS_CLI_CLI_RUNNER_H_

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quandor_check {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A scratch directory, removed at the end; also the directory of the bank
// code file that the commands get through --data.
class CliSandbox {
 public:
  CliSandbox() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quandor-cli-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
  }
  ~CliSandbox() { std::filesystem::remove_all(dir_); }
  CliSandbox(const CliSandbox&) = delete;
  CliSandbox& operator=(const CliSandbox&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }

  // Runs "quandor-check ARGS" with input on stdin. The user's settings stay
  // out of it: XDG_CONFIG_HOME points into the sandbox.
  CliResult Run(const std::string& args, const std::string& input = "") const {
    WriteFile(dir_ / "stdin", input);
    const std::string command = "cd '" + dir_.string() + "' && XDG_CONFIG_HOME='" + dir_.string() +
                                "' QUANDOR_DATA_DIR= '" QUANDOR_CHECK_BIN "' " + args +
                                " <stdin 2>stderr";
    CliResult result;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFile(dir_ / "stderr");
    return result;
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace quandor_check

#endif  // QUANDOR_TESTS_CLI_CLI_RUNNER_H_
