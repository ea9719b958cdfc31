#include "quandor/bank_file_pin.h"

#include "bankdir/thread_pin.h"

namespace quandor {

BankFilePin::BankFilePin() noexcept { bankdir::PinThread(); }

BankFilePin::~BankFilePin() { bankdir::UnpinThread(); }

bool BankFilePin::ThreadIsPinned() noexcept { return bankdir::ThreadPin() != nullptr; }

}  // namespace quandor
