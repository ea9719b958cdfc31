#include "quandor/banking.h"

#include "info_box.h"
#include "version_info.h"

namespace quandor {

// TODO: not built yet.
Banking::Banking() = default;
Banking::~Banking() = default;
void Banking::Reset() {}
void Banking::ShowInfo() { ShowInfoBox(); }
std::string Banking::LastErrorString() const { return GetErrorText(nLastError); }
std::string Banking::Version() const { return VersionText(); }
std::string Banking::CopyrightNotice() const { return CopyrightText(); }
bool Banking::Validate(std::string_view, std::string_view) { return false; }
bool Banking::SearchBankByText(std::string_view, int32_t) { return false; }
bool Banking::FirstFoundBank() { return false; }
bool Banking::NextFoundBank() { return false; }
int32_t Banking::AmountFoundBanks() const { return -1; }
bool Banking::searchBank(std::string_view) { return false; }
std::optional<std::vector<std::string>> Banking::SearchBankInfo(std::string_view) {
  return std::nullopt;
}
void Banking::ShowFoundBank(std::size_t) {}

}  // namespace quandor
