#include "library_directory.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

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

const std::string& LibraryDirectory() {
  static const std::string directory = FindLibraryDirectory();
  return directory;
}

}  // namespace quandor
