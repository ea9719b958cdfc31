// Where the component's own library file lies: the fallback place of the bank
// code file, and the place of the info box module.
#ifndef QUANDOR_LIBRARY_DIRECTORY_H_
#define QUANDOR_LIBRARY_DIRECTORY_H_

#include <string>

namespace quandor {

// The directory of the file that holds this code (the shared library, or a
// program that links the component statically), without a final "/"; "."
// when it cannot be found. Found once: a loaded library does not move.
const std::string& LibraryDirectory();

}  // namespace quandor

#endif  // QUANDOR_LIBRARY_DIRECTORY_H_
