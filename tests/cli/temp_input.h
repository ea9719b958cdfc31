// A temporary file holding given text, open for reading from its start.
#ifndef QUANDOR_TESTS_CLI_TEMP_INPUT_H_
#define QUANDOR_TESTS_CLI_TEMP_INPUT_H_

#include <cstdio>
#include <string>

namespace quandor_check {

class TempInput {
 public:
  explicit TempInput(const std::string& text) : file_(std::tmpfile()) {
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
    std::rewind(file_);
  }
  ~TempInput() { std::fclose(file_); }
  TempInput(const TempInput&) = delete;
  TempInput& operator=(const TempInput&) = delete;
  int fd() const { return fileno(file_); }
  std::FILE* file() const { return file_; }

 private:
  std::FILE* file_;
};

}  // namespace quandor_check

#endif  // QUANDOR_TESTS_CLI_TEMP_INPUT_H_
