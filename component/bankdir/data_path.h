// Where the bank code file "blz.txt" is found.
//
// In order: the directory in the environment variable QUANDOR_DATA_DIR when it
// is set and not empty; the setting "filepath" of section [path] in
// $XDG_CONFIG_HOME/Quandor/Quandor.ini (default ~/.config) when it is not
// empty, "~" or "~/..." at its start meaning $HOME and a relative one taken
// from the settings file's directory; the
// directory of the loaded component library. The setting is consulted at
// every call, so a change takes effect at the next lookup; on a pinned thread
// (thread_pin.h) all three functions below answer what they answered when the
// pin was made.
//
// A settings file that is there but cannot be read whole is refused rather
// than half read: a line that does not fit the INI reader's line buffer
// (200 bytes, line end included, as the system's INI library is built), a
// file above 1 MiB, a read error. There is then no data path at all, and every lookup finds the
// bank code file missing, instead of a cut path naming another directory's file.
#ifndef QUANDOR_BANKDIR_DATA_PATH_H_
#define QUANDOR_BANKDIR_DATA_PATH_H_

#include <cstdint>
#include <string>

namespace quandor::bankdir {

inline constexpr const char* kBankFileName = "blz.txt";

// The directory of the bank code file, ending in "/"; empty when the settings
// file is refused.
std::string GetDataPath();

// The full name of the bank code file, empty when the settings file is
// refused. The text lives in a buffer of the calling thread, valid until its
// next call; it is rebuilt without touching the heap once the buffer has
// grown to size. The settings file is looked at unless the change watch
// vouches for the last look (change_watch.h); the first form is for an
// operation of an unpinned thread that took changes from ChangesSoFar() at its
// start, the second answers the pinned path on a pinned thread.
const std::string& BankFilePath(uint64_t changes);
const std::string& BankFilePath();

// The rules new objects apply: QUANDOR_RULES, else the setting "rules" of
// section [check] in the same settings file, else qdRulesOriginal.
int32_t DefaultRules();

// Whether the file is a regular file that can be opened for reading (opened
// without waiting, as a FIFO would make it, and closed again).
// Never fails itself.
bool FileExists(const std::string& name);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_DATA_PATH_H_
