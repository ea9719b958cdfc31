#include "info_box.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "infobox/infobox_abi.h"
#include "library_directory.h"
#include "quandor/data_info.h"
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

// The edition in the box's German: "Bankleitzahlen: 08.06.2026 bis
// 06.09.2026 (veraltet)".
std::string EditionCaption(const DataInfo& info) {
  std::string caption = "Bankleitzahlen: ";
  if (!info.found) return caption + "keine Datei";
  if (!info.valid_from) return caption + "Ausgabe unbekannt";
  auto german = [](const std::chrono::year_month_day& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    return std::string(text);
  };
  caption += (info.valid_until ? "" : "ab ") + german(*info.valid_from);
  if (info.valid_until) caption += " bis " + german(*info.valid_until);
  if (info.state == EditionState::kExpired) caption += " (veraltet)";
  return caption;
}

}  // namespace

bool ShowInfoBox() {
  static QuandorShowInfoBoxFn* const show = LoadModule();
  if (show == nullptr) return false;
  const VersionInfo& info = ComponentVersionInfo();
  const std::string version = VersionText();
  const std::string copyright = CopyrightText();
  const std::string edition = EditionCaption(GetDataInfo());
  const QuandorInfoTexts texts{info.file_description, copyright.c_str(), version.c_str(),
                               info.comments, edition.c_str()};
  return show(&texts) != 0;
}

}  // namespace quandor
