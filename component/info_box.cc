#include "info_box.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "infobox/infobox_abi.h"
#include "version_info.h"

namespace quandor {
namespace {

// The directory of the file that holds this code: the shared library, or an
// executable that links the component statically.
std::filesystem::path OwnDirectory() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&OwnDirectory), &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  std::filesystem::path own(info.dli_fname);
  if (own.is_relative()) {
    // Only the main program is named relatively (as it was started), and
    // relative to a working directory that may have changed since.
    std::error_code ignored;
    own = std::filesystem::read_symlink("/proc/self/exe", ignored);
  }
  return own.parent_path();
}

QuandorShowInfoBoxFn* LoadModule() {
  const std::filesystem::path directory = OwnDirectory();
  if (directory.empty()) return nullptr;
  // Never unloaded: Qt cannot be unloaded once it has made an application.
  void* module = dlopen((directory / QUANDOR_INFOBOX_MODULE).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<QuandorShowInfoBoxFn*>(dlsym(module, QUANDOR_INFOBOX_SHOW));
}

}  // namespace

bool ShowInfoBox() {
  static QuandorShowInfoBoxFn* const show = LoadModule();
  if (show == nullptr) return false;
  const VersionInfo& info = ComponentVersionInfo();
  const std::string version = VersionText();
  const std::string copyright = CopyrightText();
  const QuandorInfoTexts texts{info.file_description, copyright.c_str(), version.c_str(),
                               info.comments};
  return show(&texts) != 0;
}

}  // namespace quandor
