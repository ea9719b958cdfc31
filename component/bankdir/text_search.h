// The text search over the bank code file and the order of the banks found.
#ifndef QUANDOR_BANKDIR_TEXT_SEARCH_H_
#define QUANDOR_BANKDIR_TEXT_SEARCH_H_

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "bankdir/name_order.h"  // the order of the banks found

namespace quandor::bankdir {

class BankReading;

struct SearchOutcome {
  int32_t code;  // qdNoError, qdBankNumberFileMissing, qdNoBankFound, qdUnknownError
  // The reading searched, kept so that the line numbers stay meaningful when
  // the file changes; null unless code is qdNoError.
  std::shared_ptr<const BankReading> file;
  std::vector<uint32_t> lines;  // the records found, in file order
};

// Every record of the bank code file that holds sTest. Option 0 (qdSearchAll)
// looks at whole lines, case ignored. Otherwise the flags choose fields, tried
// in this order until one matches: qdSearchBLZ field 1 (exact), qdSearchName
// field 2 and qdSearchCity field 3 (case ignored); other bits are ignored.
// Empty lines are no records and are skipped; a record lacking a field that
// has to be tried gives qdUnknownError. An empty sTest is held by every
// non-empty text.
SearchOutcome SearchBankFile(std::string_view sTest, int32_t option);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_TEXT_SEARCH_H_
