#include "quandor/creditcard.h"

#include "info_box.h"
#include "version_info.h"

namespace quandor {

// TODO: not built yet.
Creditcard::Creditcard() = default;
Creditcard::~Creditcard() = default;
void Creditcard::Reset() {}
void Creditcard::ShowInfo() { ShowInfoBox(); }
const std::string& Creditcard::CompanyName() const { return sCompanyName; }
const std::string& Creditcard::CardNumber() const { return sCardNumber; }
CardCompanies Creditcard::CompanyNumber() const { return ccVisa; }
ValidateError Creditcard::LastError() const { return static_cast<ValidateError>(nLastError); }
bool Creditcard::Validated() const { return nLastError != qdNoValidation; }
void Creditcard::Strictness(int32_t vNewValue) { nStrictness = vNewValue; }
int32_t Creditcard::Strictness() const { return nStrictness; }
std::string Creditcard::Version() const { return VersionText(); }
std::string Creditcard::CopyrightNotice() const { return CopyrightText(); }
std::string Creditcard::LastErrorString() const { return GetErrorText(nLastError); }
bool Creditcard::Validate(int32_t, std::string_view) { return false; }

}  // namespace quandor
