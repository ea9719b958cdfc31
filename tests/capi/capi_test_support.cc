#include "capi_test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quandor::capi_test {
namespace {

// Before main, so that the first Banking object of any thread indexes this file.
// The line of 70000000 has fewer than four fields: the text search raises a
// failure on it. Method 12 of 12000012 exists in the original set only.
const bool kBankFileReady = [] {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("quandor-capi-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "blz.txt", std::ios::binary)
      << "12000012;Sparkasse Zw\xC3\xB6lf;Zw\xC3\xB6lfstadt;Sparkasse Zw\xC3\xB6lf;12\r\n"
         "12030000;Deutsche Kreditbank Berlin;Berlin;Deutsche Kreditbank Berlin;00;10117;"
         "BYLADEM1001\r\n"
         "20050550;Hamburger Sparkasse;Hamburg;Haspa Hamburg;00;20454;HASPDEHHXXX\r\n"
         "70000000;Zerbrochene Zeile\r\n"
         "80010000;Bank f\xC3\xBCr Pr\xC3\xBC"
         "fziffern;M\xC3\xBCnchen;Pr\xC3\xBC"
         "fbank;00;80331;PRUEDEXXXXX\r\n";
  ::setenv("QUANDOR_DATA_DIR", dir.c_str(), 1);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(std::getenv("QUANDOR_DATA_DIR"), ignored);
  });
  return true;
}();

}  // namespace

Object::Object(const char* class_name) {
  EXPECT_EQ(quandor_create_object(class_name, &handle_), QUANDOR_OK) << class_name;
}

Object::~Object() {
  if (handle_ != nullptr) {
    EXPECT_EQ(quandor_release(handle_, nullptr), QUANDOR_OK);
  }
}

std::string Take(char* text) {
  EXPECT_NE(text, nullptr);
  if (text == nullptr) return {};
  std::string copy(text);
  quandor_free_string(text);
  return copy;
}

std::string LastErrorMessage() {
  char* message = nullptr;
  EXPECT_EQ(quandor_get_last_error_message(&message), QUANDOR_OK);
  return Take(message);
}

}  // namespace quandor::capi_test
