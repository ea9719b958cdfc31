#include "bankdir/bank_index.h"

#include <exception>

#include "bankdir/bank_file.h"
#include "bankdir/bank_record.h"
#include "bankdir/data_path.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

BankIndex& MutableThreadBankIndex() {
  thread_local BankIndex index;
  return index;
}

}  // namespace

const BankIndex& ThreadBankIndex() { return MutableThreadBankIndex(); }

int32_t LoadBankIndex() {
  BankIndex& index = MutableThreadBankIndex();
  if (!index.empty()) return qdNoError;
  try {
    const BankFileLines* file = CurrentBankFile(BankFilePath());
    if (file == nullptr) return qdBankNumberFileMissing;
    BankIndex loaded;
    loaded.reserve(file->size());
    for (std::size_t n = 0; n < file->size(); ++n) {
      const std::string_view line = file->line(n);
      if (!line.empty()) loaded.push_back({std::string(BankCodeOf(line)), static_cast<int64_t>(n)});
    }
    index = std::move(loaded);
    return qdNoError;
  } catch (const std::exception&) {
    return qdUnknownError;
  }
}

int64_t FindBankLine(const BankIndex& index, std::string_view key, int32_t& last_error) {
  if (index.empty()) {
    last_error = qdUnknownError;
    return -1;
  }
  // Bisection that keeps both ends inclusive; with several equal codes it
  // settles on the same one for the same index every time.
  auto code = [&](std::size_t p) { return std::string_view(index[p].code); };
  std::size_t lo = 0;
  std::size_t hi = index.size() - 1;
  std::size_t mid = (hi - lo) / 2;
  while (code(mid) != key) {
    if (key > code(mid)) {
      lo = mid;
    } else {
      hi = mid;
    }
    mid = (hi - lo) / 2 + lo;
    if (hi - lo > 1) continue;
    if (hi - lo == 1) mid = code(lo) == key ? lo : hi;
    break;
  }
  return code(mid) == key ? index[mid].line : -1;
}

}  // namespace quandor::bankdir
