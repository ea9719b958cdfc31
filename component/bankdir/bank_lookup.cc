#include "bankdir/bank_lookup.h"

#include <algorithm>
#include <exception>
#include <string>

#include "bankdir/bank_data.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

// sBLZ without its spaces, in key when it has any; a text without any is
// used as it is.
std::string_view KeyOf(std::string_view sBLZ, std::string& key) {
  // A loop, not find: the key is a few bytes, a call to memchr costs more.
  if (std::none_of(sBLZ.begin(), sBLZ.end(), [](char c) { return c == ' '; })) return sBLZ;
  for (char c : sBLZ) {
    if (c != ' ') key += c;
  }
  return key;
}

std::optional<FoundRecord> LookupUnguarded(std::string_view sBLZ, int32_t& last_error) {
  std::string spaceless;
  const std::string_view key = KeyOf(sBLZ, spaceless);
  if (key.empty()) {
    last_error = qdBankNumberMissing;
    return std::nullopt;
  }
  const BankData& data = *CurrentBankData();
  const BankReading* file = data.bank_file.get();
  if (file == nullptr) {
    last_error = data.bank_file_status;
    return std::nullopt;
  }
  const BankIndexEntry* entry = FindBankEntry(file->index(), key, last_error);
  // The line from where the entry says it stands in the text, not through
  // the file's table of lines: one cache line fewer to wait for.
  const std::string_view text = file->lines().text();
  if (entry == nullptr || entry->line_begin > text.size() ||
      entry->line_size > text.size() - entry->line_begin) {
    last_error = qdBankNumberUnknown;
    return std::nullopt;
  }
  FoundRecord record{text.substr(entry->line_begin, entry->line_size), entry->layout,
                     text.size() - entry->line_begin};
  // The index and the line come from the same reading; the check stays as
  // the guard that no other bank's record is ever handed out.
  const std::string_view code = record.Field(0);
  if (!SameCode(code, FieldPrefix(code), key, FieldPrefix(key))) {
    last_error = qdBankNumberUnknown;
    return std::nullopt;
  }
  return record;
}

}  // namespace

std::optional<FoundRecord> LookupBankRecord(std::string_view sBLZ, int32_t& last_error) {
  try {
    return LookupUnguarded(sBLZ, last_error);
  } catch (const std::exception&) {
    last_error = qdUnknownError;
    return std::nullopt;
  }
}

}  // namespace quandor::bankdir
