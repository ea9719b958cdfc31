// Banking::Validate with arbitrary bank code and account texts at every
// strictness level, against a bank code file with a bank for every method
// number 0 to 99 (bank code 100000NN has method NN).
//
// Input: one byte of strictness, then the bank code text, a NUL, the account text.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "quandor/banking.h"

namespace {

void WriteBankFile() {
  std::string file;
  for (int method = 0; method < 100; ++method) {
    char line[96];
    std::snprintf(line, sizeof line, "100000%02d;Bank %02d;Stadt %02d;Bank %02d Stadt;%02d\r\n",
                  method, method, method, method, method);
    file += line;
  }
  file += "10020030;Legacy Bank;Altstadt;Legacy;52\r\n";
  quandor::fuzz::UseBankFile("validate", file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  WriteBankFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static quandor::Banking banking;
  banking.Strictness(quandor::fuzz::StrictnessFromByte(data[0]));
  auto [blz, account] = quandor::fuzz::SplitAtNul(
      std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  bool valid = banking.Validate(blz, account);
  int32_t error = banking.LastError();
  if (!quandor::fuzz::IsKnownCode(error) || error == quandor::qdNoValidation) std::abort();
  if (valid != (error == quandor::qdNoError)) std::abort();
  if (!banking.Validated()) std::abort();
  (void)banking.LastErrorString();
  return 0;
}
