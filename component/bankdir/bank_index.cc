#include "bankdir/bank_index.h"

#include <exception>

#include "bankdir/bank_file.h"
#include "bankdir/bank_record.h"
#include "bankdir/data_path.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

// Three-way comparison of key with an entry's code, by character code.
int Compare(std::string_view key, uint64_t key_prefix, const BankIndex& index, std::size_t p) {
  const uint64_t prefix = index.prefix(p);
  if (key_prefix != prefix) return key_prefix < prefix ? -1 : 1;
  return key.compare(index[p].code);
}

BankIndex& MutableThreadBankIndex() {
  thread_local BankIndex index;
  return index;
}

}  // namespace

uint64_t CodePrefix(std::string_view code) {
  uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const auto byte = i < code.size() ? static_cast<unsigned char>(code[i]) : 0u;
    prefix = (prefix << 8) | byte;
  }
  return prefix;
}

void BankIndex::Add(std::string_view code, int64_t line) {
  prefixes_.push_back(CodePrefix(code));
  entries_.push_back({std::string(code), line});
}

void BankIndex::reserve(std::size_t n) {
  prefixes_.reserve(n);
  entries_.reserve(n);
}

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
      if (!line.empty()) loaded.Add(BankCodeOf(line), static_cast<int64_t>(n));
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
  const uint64_t key_prefix = CodePrefix(key);
  auto compare = [&](std::size_t p) { return Compare(key, key_prefix, index, p); };
  std::size_t lo = 0;
  std::size_t hi = index.size() - 1;
  std::size_t mid = (hi - lo) / 2;
  int order;
  while ((order = compare(mid)) != 0) {
    if (order > 0) {
      lo = mid;
    } else {
      hi = mid;
    }
    mid = (hi - lo) / 2 + lo;
    if (hi - lo > 1) continue;
    if (hi - lo == 1) mid = compare(lo) == 0 ? lo : hi;
    order = compare(mid);
    break;
  }
  return order == 0 ? index[mid].line : -1;
}

}  // namespace quandor::bankdir
