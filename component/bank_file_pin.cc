#include "quandor/bank_file_pin.h"

#include "bankdir/bank_data.h"

namespace quandor {

BankFilePin::BankFilePin() noexcept { bankdir::PinThread(); }

BankFilePin::~BankFilePin() { bankdir::UnpinThread(); }

bool BankFilePin::ThreadIsPinned() noexcept { return bankdir::ThreadIsPinned(); }

}  // namespace quandor
