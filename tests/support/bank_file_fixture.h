// Test support: small bank code files in temporary directories, and fresh
// threads for scenarios that must not depend on what a thread did before.
//
//   quandor::testing::BankFileDir dir({"10000000;Musterbank;Berlin;Musterbank Berlin;09"});
//   quandor::testing::InFreshThread([&] {
//     quandor::Banking banking;   // answers from dir's file
//     ...
//   });
//
// BankFileDir points QUANDOR_DATA_DIR at its directory while it lives.
#ifndef QUANDOR_TESTS_SUPPORT_BANK_FILE_FIXTURE_H_
#define QUANDOR_TESTS_SUPPORT_BANK_FILE_FIXTURE_H_

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace quandor::testing {

// Lines joined with a line end after each one (CR LF as in the shipped file).
inline std::string BankFileText(std::initializer_list<std::string_view> lines,
                                std::string_view line_end = "\r\n") {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += line_end;
  }
  return text;
}

// Sets an environment variable for its lifetime and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_, value->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

// A fresh temporary directory, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quandor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes (or overwrites in place) a file below the directory.
  void WriteFile(const std::filesystem::path& relative, std::string_view contents) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
  }

 private:
  std::filesystem::path path_;
};

// A temporary directory with a bank code file "blz.txt", named by
// QUANDOR_DATA_DIR while the object lives.
class BankFileDir {
 public:
  explicit BankFileDir(std::string_view contents) : env_("QUANDOR_DATA_DIR", dir_.path().string()) {
    Write(contents);
  }
  BankFileDir(std::initializer_list<std::string_view> lines) : BankFileDir(BankFileText(lines)) {}

  const std::filesystem::path& path() const { return dir_.path(); }
  std::filesystem::path file() const { return dir_.path() / "blz.txt"; }

  // Rewrites the file in place (same inode).
  void Write(std::string_view contents) const { dir_.WriteFile("blz.txt", contents); }
  void Write(std::initializer_list<std::string_view> lines) const { Write(BankFileText(lines)); }
  // Puts a new file in the old one's place (new inode), as an update would.
  void Replace(std::string_view contents) const {
    dir_.WriteFile("blz.txt.new", contents);
    std::filesystem::rename(dir_.path() / "blz.txt.new", file());
  }
  void Remove() const { std::filesystem::remove(file()); }

 private:
  TempDir dir_;
  ScopedEnv env_;
};

// Runs fn in a new thread, which starts holding no bank data and no pin, and
// waits for it. An exception that escapes fn is thrown again here.
template <class Fn>
void InFreshThread(Fn&& fn) {
  std::exception_ptr failure;
  std::thread thread([&] {
    try {
      std::forward<Fn>(fn)();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace quandor::testing

#endif  // QUANDOR_TESTS_SUPPORT_BANK_FILE_FIXTURE_H_
