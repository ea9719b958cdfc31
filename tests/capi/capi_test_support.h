// Helpers for tests of the C interface: owning wrappers for handles and
// texts, and a small bank code file that every test of the binary uses.
#ifndef QUANDOR_TESTS_CAPI_CAPI_TEST_SUPPORT_H_
#define QUANDOR_TESTS_CAPI_CAPI_TEST_SUPPORT_H_

#include <string>

#include "quandor/quandor.h"

namespace quandor::capi_test {

// A reference held for the length of a test.
class Object {
 public:
  explicit Object(const char* class_name);
  ~Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  quandor_object* get() const { return handle_; }

 private:
  quandor_object* handle_ = nullptr;
};

// Takes over a text result of the library and frees it.
std::string Take(char* text);

// The calling thread's last-error message.
std::string LastErrorMessage();

}  // namespace quandor::capi_test

#endif  // QUANDOR_TESTS_CAPI_CAPI_TEST_SUPPORT_H_
