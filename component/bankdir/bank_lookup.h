// Looking a bank up by its code: the index names the line, the file gives it.
#ifndef QUANDOR_BANKDIR_BANK_LOOKUP_H_
#define QUANDOR_BANKDIR_BANK_LOOKUP_H_

#include <cstdint>
#include <optional>
#include <string_view>

#include "bankdir/bank_record.h"

namespace quandor::bankdir {

// A record as a lookup finds it: its line and where its fields are.
struct FoundRecord {
  std::string_view line;
  const RecordLayout& layout;
  // Bytes that may be read from line.data() on: at least line.size(), more
  // where the line stands inside a longer text.
  std::size_t readable;

  std::size_t fields() const { return layout.fields; }
  std::string_view Field(std::size_t k) const { return layout.Field(line, k); }
};

// The line of the record of bank code sBLZ (spaces removed; nothing else is
// checked), as it stands in the file now, or nothing with the reason in
// last_error: qdBankNumberMissing (no key), qdBankNumberFileMissing,
// qdBankNumberUnknown (not in the file), qdUnknownError. On success
// last_error is left alone. The record is valid until the thread's next
// lookup or search.
std::optional<FoundRecord> LookupBankRecord(std::string_view sBLZ, int32_t& last_error);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_BANK_LOOKUP_H_
