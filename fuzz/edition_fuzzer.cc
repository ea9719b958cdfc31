// Arbitrary edition files for arbitrary bank code files. Nothing may crash;
// an edition that is read back has a first day, and written again for the
// same text it reads back the same.
//
// Input: the edition file's text; after a NUL, the bank code file's text.
#include <cstdlib>
#include <string>

#include "bankdir/edition.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quandor::bankdir;
  const auto [edition_text, bank_text] =
      quandor::fuzz::SplitAtNul({reinterpret_cast<const char*>(data), size});
  const Edition edition = ReadEditionFile(edition_text, bank_text);
  if (!edition.valid_from) return 0;
  const Edition again = ReadEditionFile(EditionFileText(edition, bank_text), bank_text);
  if (again.valid_from != edition.valid_from || again.valid_until != edition.valid_until) {
    std::abort();
  }
  (void)FreshnessOn(edition, *edition.valid_from);
  return 0;
}
