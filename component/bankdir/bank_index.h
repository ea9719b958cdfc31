// The bank index: for every record of the bank code file its bank code and
// line number, in file order, built once per reading of the file (see
// bank_data.h); lookups bisect it and read the record's line from the same
// reading.
#ifndef QUANDOR_BANKDIR_BANK_INDEX_H_
#define QUANDOR_BANKDIR_BANK_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bankdir/bank_record.h"

namespace quandor::bankdir {

class BankFileLines;

// What a lookup reads of an entry, in one cache line of its own: the first
// eight bytes of the code (see FieldPrefix) and its length, which decide
// equality for codes of up to eight bytes, and where the record's line
// stands in the text of the reading the index was built from, so that the
// line is found without the file's table of lines.
struct alignas(64) BankIndexEntry {
  uint64_t prefix = 0;
  uint32_t code_size = 0;
  uint32_t line_begin = 0;  // offset in the text; with line_size 0 and 0 for
  uint32_t line_size = 0;   // an entry that was added without a file
  RecordLayout layout;      // of that line, when the index was built from a file
  int64_t line = 0;         // 0-based, empty lines counted
};

// The entries in file order, and beside them the whole codes, which the
// bisection and the lookup look at only when the first eight bytes of a code
// are equal to those of the key and it is longer than eight bytes.
//
// Once complete, the index can also hold a hash table with, for every
// distinct code, the position that the bisection settles on for it. A lookup
// then costs one probe instead of a dozen hard-to-predict steps, and gives
// the very same answer, also for duplicate codes and for a file out of order
// (a code that the bisection misses is not in the table).
class BankIndex {
 public:
  // Adding an entry drops the table.
  void Add(std::string_view code, int64_t line, const RecordLayout& layout = {});
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  const BankIndexEntry& operator[](std::size_t i) const { return entries_[i]; }
  const std::string& code(std::size_t i) const { return codes_[i]; }
  uint64_t prefix(std::size_t i) const { return entries_[i].prefix; }
  void reserve(std::size_t n);

  // The index of a reading, with its table.
  static BankIndex Of(const BankFileLines& file);

  // Builds the table from the entries as they are now.
  void BuildLookupTable();
  bool has_lookup_table() const { return !table_.empty(); }
  // Position of the entry that the bisection finds for key, from the table;
  // npos when it finds none. Needs the table.
  std::size_t LookUp(std::string_view key, uint64_t key_prefix) const;

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  std::size_t FirstSlot(uint64_t key_prefix) const;

  std::vector<BankIndexEntry> entries_;
  std::vector<std::string> codes_;
  // Open addressing, linear probing, at most half full: position + 1, 0 free.
  std::vector<uint32_t> table_;
  int table_shift_ = 0;  // 64 - log2 of the table's size
};

// Whether code, whose prefix is code_prefix, equals key with key_prefix: for
// codes of up to eight bytes the prefixes and lengths tell it without a
// comparison of the texts.
inline bool SameCode(std::string_view code, uint64_t code_prefix, std::string_view key,
                     uint64_t key_prefix) {
  return code_prefix == key_prefix && code.size() == key.size() && (key.size() <= 8 || code == key);
}

// The entry of the record whose bank code equals key (compared by character
// code), or null. The index must be in ascending order of codes; among equal
// codes one is found. An empty index records qdUnknownError in last_error.
const BankIndexEntry* FindBankEntry(const BankIndex& index, std::string_view key,
                                    int32_t& last_error);

// The line number of that entry, or -1.
int64_t FindBankLine(const BankIndex& index, std::string_view key, int32_t& last_error);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_BANK_INDEX_H_
