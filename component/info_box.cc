#include "info_box.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "infobox/infobox_abi.h"
#include "library_directory.h"
#include "version_info.h"

namespace quandor {
namespace {

QuandorShowInfoBoxFn* LoadModule() {
  const std::filesystem::path directory =
      ShippedFileDirectory(QUANDOR_INFOBOX_MODULE, QUANDOR_MODULE_FROM_LIBRARY);
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
