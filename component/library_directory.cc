#include "library_directory.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

#include "bankdir/settings.h"

namespace quandor {
namespace {

std::string FindLibraryDirectory() {
  Dl_info info{};
  std::string file;
  if (dladdr(reinterpret_cast<const void*>(&FindLibraryDirectory), &info) != 0 &&
      info.dli_fname != nullptr) {
    file = info.dli_fname;
  }
  // The main program may be named without a directory; the kernel knows where it is.
  if (file.find('/') == std::string::npos) {
    char exe[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) file.assign(exe, static_cast<std::size_t>(n));
  }
  if (char* resolved = ::realpath(file.c_str(), nullptr)) {
    file = resolved;
    std::free(resolved);
  }
  const std::size_t slash = file.rfind('/');
  return slash == std::string::npos || slash == 0 ? std::string(".") : file.substr(0, slash);
}

}  // namespace

std::string ShippedFileDirectory(const char* file_name, const char* installed_dir) {
  const std::filesystem::path library = LibraryDirectory();
  const std::filesystem::path candidates[] = {
      library,
      (library / installed_dir).lexically_normal(),
  };
  for (const auto& directory : candidates) {
    if (::access((directory / file_name).c_str(), F_OK) == 0) return directory.string();
  }
  return candidates[0].string();
}

const std::string& ShippedDataDirectory() {
  static const std::string directory =
      ShippedFileDirectory(bankdir::kBankFileName, QUANDOR_DATA_FROM_LIBRARY);
  return directory;
}

const std::string& LibraryDirectory() {
  static const std::string directory = FindLibraryDirectory();
  return directory;
}

}  // namespace quandor
