// Creditcard::Validate with arbitrary company numbers and texts at every
// strictness level.
//
// Input: one byte of strictness, four bytes of company number, the card number text.
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"
#include "quandor/creditcard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  static quandor::Creditcard card;
  card.Strictness(quandor::fuzz::StrictnessFromByte(data[0]));
  int32_t company;
  std::memcpy(&company, data + 1, sizeof company);
  if (data[1] < 0xF0) company = data[1] % 8 - 1;  // mostly -1 to 6
  std::string_view number(reinterpret_cast<const char*>(data) + 5, size - 5);

  bool valid = card.Validate(company, number);
  int32_t error = card.LastError();
  bool known = error == quandor::qdNoError || error == quandor::qdCardWrongCheckDigit ||
               error == quandor::qdCompanyNumberUnknown ||
               error == quandor::qdCardNumberIncorrectly || error == quandor::qdUnknownError;
  if (!known || valid != (error == quandor::qdNoError)) std::abort();
  if (card.CompanyNumber() != quandor::ccVisa || !card.CompanyName().empty()) std::abort();
  return 0;
}
