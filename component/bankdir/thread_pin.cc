#include "bankdir/thread_pin.h"

#include <exception>

#include "bankdir/bank_file.h"
#include "bankdir/bank_index.h"
#include "bankdir/change_watch.h"
#include "bankdir/data_path.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

struct ThreadPinState {
  int depth = 0;
  PinnedFiles files;
};

ThreadPinState& State() {
  thread_local ThreadPinState state;
  return state;
}

// The files as they are now, taken while the thread is not yet pinned.
void TakeFiles(PinnedFiles& files) noexcept {
  files = PinnedFiles{};
  try {
    const uint64_t changes = ChangesSoFar();
    files.data_path = GetDataPath();
    files.bank_file_path = BankFilePath(changes);
    files.chosen_rules = ChosenRules();
    if (!files.bank_file_path.empty()) {
      files.bank_file = CurrentBankFile(files.bank_file_path, changes);
      // Build the index now, so that the first pinned lookup is as cheap as the rest.
      if (files.bank_file != nullptr) BankIndexOf(*files.bank_file);
    }
  } catch (const std::exception&) {
    files.bank_file.reset();
  }
}

}  // namespace

const PinnedFiles* ThreadPin() {
  ThreadPinState& state = State();
  return state.depth > 0 ? &state.files : nullptr;
}

void PinThread() noexcept {
  ThreadPinState& state = State();
  if (state.depth == 0) TakeFiles(state.files);
  ++state.depth;
}

bool UnpinThread() noexcept {
  ThreadPinState& state = State();
  if (state.depth == 0) return false;
  // The thread's own cache still holds the pinned reading, if it is the
  // latest, so lines handed out during the pin stay valid as promised.
  if (--state.depth == 0) state.files = PinnedFiles{};
  return true;
}

}  // namespace quandor::bankdir
