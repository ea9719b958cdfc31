#include "bankdir/text_search.h"

#include <algorithm>
#include <exception>
#include <numeric>

#include "bankdir/bank_file.h"
#include "bankdir/bank_record.h"
#include "bankdir/case_fold.h"
#include "bankdir/data_path.h"
#include "quandor/errors.h"

namespace quandor::bankdir {
namespace {

struct MissingField {};

// Whether a record matches in field mode. Fields are fetched only as far as
// the flags need them, so a short record fails only when a missing field has
// to be tried.
bool FieldsMatch(std::string_view line, std::string_view folded_line, int32_t option,
                 std::string_view text, std::string_view folded_text) {
  FieldReader fields(line);
  FieldReader folded_fields(folded_line);
  auto next = [](FieldReader& reader) {
    const auto field = reader.Next();
    if (!field) throw MissingField{};
    return *field;
  };
  const std::string_view code = next(fields);
  next(folded_fields);
  if ((option & qdSearchBLZ) && Contains(code, text)) return true;
  if (!(option & (qdSearchName | qdSearchCity))) return false;
  next(fields);
  const std::string_view name = next(folded_fields);
  if ((option & qdSearchName) && Contains(name, folded_text)) return true;
  if (!(option & qdSearchCity)) return false;
  next(fields);
  return Contains(next(folded_fields), folded_text);
}

SearchOutcome SearchUnguarded(std::string_view sTest, int32_t option) {
  const BankFileLines* file = CurrentBankFile(BankFilePath()).get();
  if (file == nullptr) return {qdBankNumberFileMissing, {}};
  const std::string folded_text = FoldCase(sTest);
  const bool whole_line = option == qdSearchAll;
  SearchOutcome outcome{qdNoError, {}};
  for (std::size_t n = 0; n < file->size(); ++n) {
    const std::string_view line = file->line(n);
    if (line.empty()) continue;
    const bool match = whole_line
                           ? Contains(file->folded_line(n), folded_text)
                           : FieldsMatch(line, file->folded_line(n), option, sTest, folded_text);
    if (match) outcome.records.push_back(SplitFields(line));
  }
  if (outcome.records.empty()) outcome.code = qdNoBankFound;
  return outcome;
}

}  // namespace

SearchOutcome SearchBankFile(std::string_view sTest, int32_t option) {
  try {
    return SearchUnguarded(sTest, option);
  } catch (const MissingField&) {
    return {qdUnknownError, {}};
  } catch (const std::exception&) {
    return {qdUnknownError, {}};
  }
}

std::vector<std::size_t> OrderByName(const std::vector<std::string_view>& names) {
  // A record goes to the end of its run of equal names while no greater name
  // has been found before it, and to the front of that run afterwards; so the
  // later ones of the second kind stand first. A rank per record captures this
  // and a sort does the rest.
  std::vector<int64_t> rank(names.size());
  std::string_view greatest;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto arrival = static_cast<int64_t>(i) + 1;
    const bool at_end = i == 0 || names[i] >= greatest;
    rank[i] = at_end ? arrival : -arrival;
    if (at_end) greatest = names[i];
  }
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (names[a] != names[b]) return names[a] < names[b];
    return rank[a] < rank[b];
  });
  return order;
}

}  // namespace quandor::bankdir
