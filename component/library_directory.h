// Where the component's own library file lies, the place of the info box
// module, and the fallback places of the bank code file.
#ifndef QUANDOR_LIBRARY_DIRECTORY_H_
#define QUANDOR_LIBRARY_DIRECTORY_H_

#include <string>

namespace quandor {

// The directory of the file that holds this code (the shared library, or a
// program that links the component statically), without a final "/"; "."
// when it cannot be found. Found once: a loaded library does not move.
const std::string& LibraryDirectory();

// The directory of a file that the component ships, by the places it may
// lie in: beside the library, where the build tree keeps everything, else
// installed_dir (relative to the library's directory), where the install
// keeps it; the library's own directory when neither holds it. Relative, so
// that an install under any prefix finds its own files.
std::string ShippedFileDirectory(const char* file_name, const char* installed_dir);

// The directory of the shipped bank code file when nothing names another.
// Settled once, like the library's own place: installed files do not move.
const std::string& ShippedDataDirectory();

}  // namespace quandor

#endif  // QUANDOR_LIBRARY_DIRECTORY_H_
