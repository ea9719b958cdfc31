// A thread pinned to one version of its files (see quandor/bank_file_pin.h).
// The pinned thread's data path, chosen rules and bank code file are the ones
// taken when its outermost pin was made; the functions that otherwise look at
// the files (data_path.h, bank_file.h) answer from here while it lasts.
#ifndef QUANDOR_BANKDIR_THREAD_PIN_H_
#define QUANDOR_BANKDIR_THREAD_PIN_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quandor::bankdir {

class BankFileLines;

struct PinnedFiles {
  std::string data_path;                           // as GetDataPath gave it
  std::string bank_file_path;                      // as BankFilePath gave it
  std::optional<int32_t> chosen_rules;             // as ChosenRules gave it
  std::shared_ptr<const BankFileLines> bank_file;  // null: missing or unreadable
};

// The calling thread's pinned files; null when it holds no pin.
const PinnedFiles* ThreadPin();

// Adds a pin to the calling thread; the first takes the files as they are now.
// Never throws: what cannot be read is pinned as missing.
void PinThread() noexcept;

// Ends one of the calling thread's pins; false when it holds none.
bool UnpinThread() noexcept;

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_THREAD_PIN_H_
