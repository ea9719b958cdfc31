// Arbitrary contents of the bank code file through index load, lookup,
// searchBank, Validate and the text search in every option, then again after
// the file changed under the loaded index (rewritten in place or
// replaced), so that the change and rebuild paths run. Nothing may crash; the
// only exception allowed is the one the text search documents; a record
// handed out always carries the bank code asked for. Some runs pin the file
// before the change and look up again while pinned.
//
// Input: one byte that picks a search option, the way of the change and the
// pin, then the file's contents; after a NUL, the contents after the change
// (without one, the first line moves to the end).
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "fuzz_support.h"
#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"

namespace {

std::filesystem::path g_dir;

// The bank code of the first line, the text the lookups try.
std::string FirstField(std::string_view file) {
  auto end = file.find_first_of(";\r\n");
  return std::string(file.substr(0, end == std::string_view::npos ? file.size() : end));
}

// The text without its spaces, as a lookup takes a bank code.
std::string WithoutSpaces(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

void LookUp(quandor::Banking& banking, std::string_view file, uint8_t option) {
  std::string code = FirstField(file);
  const auto found = banking.SearchBankInfo(code);
  if (found && (found->empty() || WithoutSpaces(found->front()) != WithoutSpaces(code))) {
    std::abort();  // another bank's record
  }
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

// The contents after the change: the second part, else the first line last.
std::string Changed(std::string_view first, std::string_view second, bool has_second) {
  if (has_second) return std::string(second);
  const auto end = first.find('\n');
  if (end == std::string_view::npos) return std::string(first);
  return std::string(first.substr(end + 1)) + std::string(first.substr(0, end + 1));
}

void Exercise(std::string_view first, std::string_view second, bool has_second, uint8_t option) {
  quandor::Banking banking;  // on a new thread, as a host's would be
  LookUp(banking, first, option);
  const std::string changed = Changed(first, second, has_second);
  {
    // A pinned thread keeps answering from the first contents.
    std::optional<quandor::BankFilePin> pin;
    if (option & 0x40) pin.emplace();
    if (option & 0x80) {
      quandor::fuzz::WriteFile(g_dir / "blz.new", changed);
      std::filesystem::rename(g_dir / "blz.new", g_dir / "blz.txt");
    } else {
      quandor::fuzz::WriteFile(g_dir / "blz.txt", changed);
    }
    if (pin) LookUp(banking, first, option);
  }
  LookUp(banking, changed, option);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_dir = quandor::fuzz::MakeTempDir("bankfile");
  setenv("QUANDOR_DATA_DIR", g_dir.c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view contents(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool has_second = contents.find('\0') != std::string_view::npos;
  const auto [first, second] = quandor::fuzz::SplitAtNul(contents);
  quandor::fuzz::WriteFile(g_dir / "blz.txt", first);
  std::thread worker(Exercise, first, second, has_second, data[0]);
  worker.join();
  return 0;
}
