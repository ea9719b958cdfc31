#include "quandor/errors.h"

#include <array>
#include <string_view>

namespace quandor {
namespace {

struct Message {
  int32_t code;
  std::string_view text;
};

constexpr std::array kMessages = std::to_array<Message>({
    {qdNoValidation, "Keine Prüfung durchgeführt"},
    {qdNoError, "Kein Fehler"},
    {qdWrongCheckDigit, "Kontonummer ist falsch"},
    {qdBankNumberMissing, "Bankleitzahl fehlt"},
    {qdAccountNumberMissing, "Kontonummer fehlt"},
    {qdBankNumberWrongDigits, "Bankleitzahl hat falsche Anzahl Stellen"},
    {qdAccountNumberWrongDigits, "Kontonummer hat falsche Anzahl Stellen"},
    {qdBankNumberUnknown, "Bankleitzahl nicht bekannt"},
    {qdTestingMethodUnknown, "Keine Prüfmethode hinterlegt"},
    {qdBankNumberFileMissing, "Bankleitzahlendatei nicht gefunden"},
    {qdAccountNumberIncorrectly, "Kontonummer hat falsches Format"},
    {qdBankNumberIncorrectly, "Bankleitzahl hat falsches Format"},
    {qdCardWrongCheckDigit, "Kreditkartennummer ist falsch"},
    {qdCardCompanyMissing, "Kein Kreditkarteninstitut angegeben"},
    {qdCardNumberMissing, "Keine Kreditkartennummer angegeben"},
    {qdCompanyNumberUnknown, "Unbekanntes Kreditkarteninstitut"},
    {qdCardNumberIncorrectly, "Kreditkartennummer hat falsches Format"},
    {qdNoBankFound, "Keine Bank gefunden"},
    {qdUnknownError, "Unbekannter Fehler"},
});

}  // namespace

std::string GetErrorText(int32_t nCode) {
  for (const Message& m : kMessages) {
    if (m.code == nCode) return std::string(m.text);
  }
  return {};
}

}  // namespace quandor
