// Arbitrary contents of the bank code file through index load, lookup,
// searchBank, Validate and the text search in every option. Nothing may
// crash; the only exception allowed is the one the text search documents.
//
// Input: one byte that picks a search option, then the file's contents.
#include <cstdlib>
#include <string>
#include <thread>

#include "fuzz_support.h"
#include "quandor/banking.h"

namespace {

std::filesystem::path g_dir;

// The bank code of the first line, the text the lookups try.
std::string FirstField(std::string_view file) {
  auto end = file.find_first_of(";\r\n");
  return std::string(file.substr(0, end == std::string_view::npos ? file.size() : end));
}

void Exercise(std::string_view file, uint8_t option) {
  quandor::Banking banking;  // a new thread: a new bank index is loaded
  std::string code = FirstField(file);
  (void)banking.SearchBankInfo(code);
  (void)banking.SearchBankInfo("10000000");
  (void)banking.searchBank(code);
  banking.Reset();
  (void)banking.Validate(code, "123456782");
  if (!quandor::fuzz::IsKnownCode(banking.LastError())) std::abort();
  const int32_t options[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  int32_t search_option = options[option % 9];
  std::string text = code.substr(0, option % 4);
  try {
    if (banking.SearchBankByText(text, search_option)) {
      int32_t amount = banking.AmountFoundBanks();
      if (amount < 1) std::abort();
      int32_t walked = 1;
      while (banking.NextFoundBank()) ++walked;
      if (walked != amount) std::abort();
      (void)banking.FirstFoundBank();
    } else if (banking.AmountFoundBanks() != -1) {
      std::abort();
    }
  } catch (const quandor::MalformedRecordError&) {
    // Documented: a found record with fewer than four fields.
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_dir = quandor::fuzz::MakeTempDir("bankfile");
  setenv("QUANDOR_DATA_DIR", g_dir.c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
  quandor::fuzz::WriteFile(g_dir / "blz.txt", file);
  std::thread worker(Exercise, file, data[0]);
  worker.join();
  return 0;
}
