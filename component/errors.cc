#include "quandor/errors.h"

#include <span>
#include <string_view>

#include "quandor/iban.h"

namespace quandor {
namespace {

struct Message {
  int32_t code;
  std::string_view german;
  std::string_view english;
};

#define QUANDOR_MESSAGE(name, value, python_name, german, english) Message{name, german, english},
constexpr Message kErrorMessages[] = {QUANDOR_ERRORS(QUANDOR_MESSAGE)};
constexpr Message kIbanMessages[] = {QUANDOR_IBAN_ERRORS(QUANDOR_MESSAGE)};
#undef QUANDOR_MESSAGE

std::string TextOf(std::span<const Message> messages, int32_t code, TextLanguage lang) {
  for (const Message& m : messages) {
    if (m.code == code) return std::string(lang == TextLanguage::kEnglish ? m.english : m.german);
  }
  return {};
}

}  // namespace

std::optional<TextLanguage> TextLanguageByName(std::string_view name) {
  if (name == "de") return TextLanguage::kGerman;
  if (name == "en") return TextLanguage::kEnglish;
  return std::nullopt;
}

std::string GetErrorText(int32_t nCode) { return GetErrorText(nCode, TextLanguage::kGerman); }

std::string GetErrorText(int32_t nCode, TextLanguage lang) {
  return TextOf(kErrorMessages, nCode, lang);
}

std::string GetIbanErrorText(int32_t nCode) {
  return GetIbanErrorText(nCode, TextLanguage::kGerman);
}

std::string GetIbanErrorText(int32_t nCode, TextLanguage lang) {
  return TextOf(kIbanMessages, nCode, lang);
}

}  // namespace quandor
