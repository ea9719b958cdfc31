// The order in which the banks found by a text search are kept: ascending by
// bank name (field 2) compared by character code; each record, in the order
// found, is appended when its name is at least the last name so far, and
// otherwise goes before the first record whose name is not below its own.
#ifndef QUANDOR_BANKDIR_NAME_ORDER_H_
#define QUANDOR_BANKDIR_NAME_ORDER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quandor::bankdir {

class BankFileLines;

// The rank of a line that has no name field (no ";").
inline constexpr uint32_t kNoName = UINT32_MAX;

// For every line of the reading, the rank of its name among the names of the
// reading: equal names have equal ranks and a smaller name a smaller one;
// kNoName for a line without a name. Kept with the reading (bank_data.h), so
// that ordering what a search found compares numbers, not texts.
std::vector<uint32_t> NameRanks(const BankFileLines& file);

// The order of records, in the order found, given by the ranks of their names
// (none kNoName, fewer than 2^31 records). Returns positions into ranks, in
// O(n log n).
std::vector<std::size_t> OrderByRank(const std::vector<uint32_t>& ranks);

// The same order given by the names themselves.
std::vector<std::size_t> OrderByName(const std::vector<std::string_view>& names);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_NAME_ORDER_H_
