// Helpers shared by the fuzz targets.
#ifndef QUANDOR_FUZZ_FUZZ_SUPPORT_H_
#define QUANDOR_FUZZ_FUZZ_SUPPORT_H_

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

#include "quandor/errors.h"

namespace quandor::fuzz {

// A directory of its own under the system's temporary directory.
inline std::filesystem::path MakeTempDir(const char* tag) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string("quandor-fuzz-") + tag + "-XXXXXX"))
          .string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

inline void WriteFile(const std::filesystem::path& path, std::string_view contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

// Points the library at a bank code file of contents, in a directory of its own.
inline void UseBankFile(const char* tag, std::string_view contents) {
  const std::filesystem::path dir = MakeTempDir(tag);
  WriteFile(dir / "blz.txt", contents);
  setenv("QUANDOR_DATA_DIR", dir.c_str(), 1);
}

// Strictness levels to try: the four of ValidateStrictness and two outside it.
inline int32_t StrictnessFromByte(uint8_t byte) {
  constexpr int32_t kLevels[] = {0, 1, 2, 3, 7, -1};
  return kLevels[byte % 6];
}

// Splits the fuzzer's bytes at the first NUL: the two input texts of a call.
inline std::pair<std::string_view, std::string_view> SplitAtNul(std::string_view data) {
  auto nul = data.find('\0');
  if (nul == std::string_view::npos) return {data, {}};
  return {data.substr(0, nul), data.substr(nul + 1)};
}

inline bool IsKnownCode(int32_t code) {
  return code == qdNoValidation || (code >= qdNoError && code <= qdBankNumberIncorrectly) ||
         code == qdCardWrongCheckDigit || code == qdCompanyNumberUnknown ||
         code == qdCardNumberIncorrectly || code == qdNoBankFound || code == qdUnknownError;
}

}  // namespace quandor::fuzz

#endif  // QUANDOR_FUZZ_FUZZ_SUPPORT_H_
