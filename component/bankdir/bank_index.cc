#include "bankdir/bank_index.h"

#include <cstdint>

#include "bankdir/bank_file.h"
#include "bankdir/bank_record.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

// Three-way comparison of key with an entry's code, by character code.
int Compare(std::string_view key, uint64_t key_prefix, const BankIndex& index, std::size_t p) {
  const uint64_t prefix = index.prefix(p);
  if (key_prefix != prefix) return key_prefix < prefix ? -1 : 1;
  return key.compare(index.code(p));
}

// The position whose code equals key, or npos. A bisection that keeps both
// ends inclusive; with several equal codes it settles on the same one for the
// same index every time.
std::size_t Bisect(const BankIndex& index, std::string_view key, uint64_t key_prefix) {
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
  return order == 0 ? mid : BankIndex::npos;
}

}  // namespace

void BankIndex::Add(std::string_view code, int64_t line, const RecordLayout& layout) {
  table_.clear();
  codes_.emplace_back(code);
  BankIndexEntry& entry = entries_.emplace_back();
  entry.prefix = FieldPrefix(code);
  entry.code_size = static_cast<uint32_t>(code.size());
  entry.layout = layout;
  entry.line = line;
}

std::size_t BankIndex::FirstSlot(uint64_t key_prefix) const {
  // Fibonacci hashing: the top bits of the product depend on every byte of
  // the prefix, also for codes that differ only in their last digit.
  return static_cast<std::size_t>((key_prefix * 0x9E3779B97F4A7C15u) >> table_shift_);
}

void BankIndex::BuildLookupTable() {
  table_.clear();
  if (entries_.empty() || entries_.size() > UINT32_MAX / 2) return;
  int bits = 1;
  while ((std::size_t{1} << bits) < 2 * entries_.size()) ++bits;
  table_.assign(std::size_t{1} << bits, 0);
  table_shift_ = 64 - bits;
  const std::size_t mask = table_.size() - 1;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::string_view code = codes_[i];
    const std::size_t found = Bisect(*this, code, entries_[i].prefix);
    if (found == npos) continue;
    std::size_t slot = FirstSlot(entries_[i].prefix);
    // A code seen before already has its slot, holding the same position.
    while (table_[slot] != 0 && codes_[table_[slot] - 1] != code) slot = (slot + 1) & mask;
    table_[slot] = static_cast<uint32_t>(found + 1);
  }
}

std::size_t BankIndex::LookUp(std::string_view key, uint64_t key_prefix) const {
  const std::size_t mask = table_.size() - 1;
  // Ends at a free slot at the latest: the table is at most half full.
  for (std::size_t slot = FirstSlot(key_prefix);; slot = (slot + 1) & mask) {
    if (table_[slot] == 0) return npos;
    const std::size_t p = table_[slot] - 1;
    const BankIndexEntry& entry = entries_[p];
    if (entry.prefix == key_prefix && entry.code_size == key.size() &&
        (key.size() <= 8 || codes_[p] == key)) {
      return p;
    }
  }
}

void BankIndex::reserve(std::size_t n) {
  entries_.reserve(n);
  codes_.reserve(n);
}

BankIndex BankIndex::Of(const BankFileLines& file) {
  BankIndex built;
  built.reserve(file.size());
  for (std::size_t n = 0; n < file.size(); ++n) {
    const std::string_view line = file.line(n);
    if (line.empty()) continue;
    const RecordLayout layout = RecordLayout::Of(line);
    built.Add(layout.Field(line, 0), static_cast<int64_t>(n), layout);
    BankIndexEntry& entry = built.entries_.back();
    entry.line_begin = static_cast<uint32_t>(line.data() - file.text().data());
    entry.line_size = static_cast<uint32_t>(line.size());
  }
  built.BuildLookupTable();
  return built;
}

const BankIndexEntry* FindBankEntry(const BankIndex& index, std::string_view key,
                                    int32_t& last_error) {
  if (index.empty()) {
    last_error = qdUnknownError;
    return nullptr;
  }
  const uint64_t key_prefix = FieldPrefix(key);
  const std::size_t p =
      index.has_lookup_table() ? index.LookUp(key, key_prefix) : Bisect(index, key, key_prefix);
  return p == BankIndex::npos ? nullptr : &index[p];
}

int64_t FindBankLine(const BankIndex& index, std::string_view key, int32_t& last_error) {
  const BankIndexEntry* entry = FindBankEntry(index, key, last_error);
  return entry == nullptr ? -1 : entry->line;
}

}  // namespace quandor::bankdir
