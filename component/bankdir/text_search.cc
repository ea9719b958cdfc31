#include "bankdir/text_search.h"

#include <string.h>

#include <exception>

#include "bankdir/bank_data.h"
#include "bankdir/bank_record.h"
#include "bankdir/case_fold.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

struct MissingField {};

// Where line n of the file starts and ends (before its line end), as
// positions in the text and so in the folded text.
std::size_t LineBegin(const BankFileLines& file, std::size_t n) {
  return static_cast<std::size_t>(file.line(n).data() - file.text().data());
}
std::size_t LineEnd(const BankFileLines& file, std::size_t n) {
  return LineBegin(file, n) + file.line(n).size();
}

// The whole-line search: one pass for the text over the whole folded file,
// each hit then placed in its line, rather than a search per line. A hit
// that runs over a line end belongs to no line. memmem, not find: it skips
// ahead by a table where find stops at every copy of the first letter, and
// the letters of "bank" stand in every line.
void FindInLines(const BankFileLines& file, std::string_view folded_text,
                 std::vector<uint32_t>& found) {
  if (folded_text.empty()) {
    for (std::size_t n = 0; n < file.size(); ++n) {
      if (!file.line(n).empty()) found.push_back(static_cast<uint32_t>(n));
    }
    return;
  }
  const std::string_view folded = file.folded_text();
  std::size_t from = 0;
  std::size_t n = 0;
  while (n < file.size()) {
    const void* found_at =
        memmem(folded.data() + from, folded.size() - from, folded_text.data(), folded_text.size());
    if (found_at == nullptr) return;
    const auto hit = static_cast<std::size_t>(static_cast<const char*>(found_at) - folded.data());
    const std::size_t hit_end = hit + folded_text.size();
    while (n < file.size() && LineEnd(file, n) < hit_end) ++n;
    if (n == file.size()) return;
    const std::size_t begin = LineBegin(file, n);
    if (hit < begin) {
      // No later hit that starts before this line fits the line before.
      from = begin;
      continue;
    }
    found.push_back(static_cast<uint32_t>(n));
    if (++n < file.size()) from = LineBegin(file, n);
  }
}

// Whether a record matches in field mode. Fields are fetched only as far as
// the flags need them, so a short record fails only when a missing field has
// to be tried. The folded fields stand where the fields stand.
bool FieldsMatch(std::string_view line, std::string_view folded_line, int32_t option,
                 std::string_view text, std::string_view folded_text) {
  FieldReader fields(line);
  auto next = [&fields] {
    const auto field = fields.Next();
    if (!field) throw MissingField{};
    return *field;
  };
  auto folded = [&](std::string_view field) {
    return folded_line.substr(static_cast<std::size_t>(field.data() - line.data()), field.size());
  };
  const std::string_view code = next();
  if ((option & qdSearchBLZ) && Contains(code, text)) return true;
  if (!(option & (qdSearchName | qdSearchCity))) return false;
  const std::string_view name = next();
  if ((option & qdSearchName) && Contains(folded(name), folded_text)) return true;
  if (!(option & qdSearchCity)) return false;
  return Contains(folded(next()), folded_text);
}

SearchOutcome SearchUnguarded(std::string_view sTest, int32_t option) {
  const BankData& data = *CurrentBankData();
  std::shared_ptr<const BankReading> reading = data.bank_file;
  if (reading == nullptr) return {data.bank_file_status, {}, {}};
  const BankFileLines& file = reading->lines();
  const std::string folded_text = FoldCase(sTest);
  std::vector<uint32_t> found;
  if (option == qdSearchAll) {
    FindInLines(file, folded_text, found);
  } else {
    for (std::size_t n = 0; n < file.size(); ++n) {
      const std::string_view line = file.line(n);
      if (line.empty()) continue;
      if (FieldsMatch(line, file.folded_line(n), option, sTest, folded_text)) {
        found.push_back(static_cast<uint32_t>(n));
      }
    }
  }
  if (found.empty()) return {qdNoBankFound, {}, {}};
  return {qdNoError, std::move(reading), std::move(found)};
}

}  // namespace

SearchOutcome SearchBankFile(std::string_view sTest, int32_t option) {
  try {
    return SearchUnguarded(sTest, option);
  } catch (const MissingField&) {
    return {qdUnknownError, {}, {}};
  } catch (const std::exception&) {
    return {qdUnknownError, {}, {}};
  }
}

}  // namespace quandor::bankdir
