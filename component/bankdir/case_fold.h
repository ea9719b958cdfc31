// Case-insensitive comparison of UTF-8 texts for the text search: ASCII
// letters and the letters of Latin-1 and Windows-1252 (Ä/ä, Ö/ö, Ü/ü, É/é,
// Š/š, Œ/œ, Ž/ž, Ÿ/ÿ ...) are folded to lower case. Folding replaces bytes in
// place and never changes a text's length, so positions in the folded text
// are positions in the original.
#ifndef QUANDOR_BANKDIR_CASE_FOLD_H_
#define QUANDOR_BANKDIR_CASE_FOLD_H_

#include <string>
#include <string_view>

namespace quandor::bankdir {

std::string FoldCase(std::string_view text);

// Whether text holds part as a substring. An empty part is contained in every
// text but the empty one.
bool Contains(std::string_view text, std::string_view part);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_CASE_FOLD_H_
