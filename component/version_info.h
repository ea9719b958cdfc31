// The component's version data, defined once in the build and compiled in.
#ifndef QUANDOR_VERSION_INFO_H_
#define QUANDOR_VERSION_INFO_H_

#include <string>

namespace quandor {

struct VersionInfo {
  int major;
  int minor;
  int revision;
  const char* copyright;  // the copyright entry, without "Copyright "
  const char* file_description;
  const char* comments;
};

const VersionInfo& ComponentVersionInfo();

// "major.minor.revision"
std::string VersionText();
// "Copyright " followed by the copyright entry.
std::string CopyrightText();

}  // namespace quandor

#endif  // QUANDOR_VERSION_INFO_H_
