// The bank index: for every record of the bank code file its bank code and
// line number, in file order. One per thread, filled by the first Banking
// object of the thread that finds the file, then kept for the thread's life;
// lookups bisect it and read the record's line from the file.
#ifndef QUANDOR_BANKDIR_BANK_INDEX_H_
#define QUANDOR_BANKDIR_BANK_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quandor::bankdir {

struct BankIndexEntry {
  std::string code;  // field 1 of the record
  int64_t line;      // 0-based, empty lines counted
};

// The entries in file order. Beside them it keeps the first eight bytes of
// every code as one big-endian number (zero-filled) in an array of its own:
// the bisection then compares integers in a few cache lines and looks at a
// whole code only when those bytes are equal.
class BankIndex {
 public:
  void Add(std::string_view code, int64_t line);
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  const BankIndexEntry& operator[](std::size_t i) const { return entries_[i]; }
  uint64_t prefix(std::size_t i) const { return prefixes_[i]; }
  void reserve(std::size_t n);

 private:
  std::vector<uint64_t> prefixes_;
  std::vector<BankIndexEntry> entries_;
};

// The first eight bytes of code as BankIndex keeps them.
uint64_t CodePrefix(std::string_view code);

// The calling thread's index.
const BankIndex& ThreadBankIndex();

// Fills the thread's index from the bank code file when it is empty.
// qdNoError when it is ready, qdBankNumberFileMissing when the file cannot be
// opened, qdUnknownError when reading it failed (the index then stays empty).
int32_t LoadBankIndex();

// Line number of the record whose bank code equals key (compared by
// character code), or -1. The index must be in ascending order of codes;
// among equal codes one is found. An empty index records qdUnknownError in
// last_error.
int64_t FindBankLine(const BankIndex& index, std::string_view key, int32_t& last_error);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_BANK_INDEX_H_
