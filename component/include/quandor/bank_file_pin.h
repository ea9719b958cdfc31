/// @file
/// BankFilePin: one version of the bank code file for a run of many checks.
///
///   {
///     quandor::BankFilePin pin;          // the file as it is now
///     for (const Row& row : rows) banking.Validate(row.blz, row.account);
///   }                                    // exact again from the next call on
///
/// Unpinned, every lookup looks at the bank code file (and the settings file
/// that may name its directory) and sees a deleted, replaced or unreadable file
/// at once. That look is a system call per lookup, which costs more than the
/// check itself. A host that checks many rows and does not need to see a
/// change of the file in the middle of them pins it: while a pin lives, the
/// calling thread answers Validate, searchBank, SearchBankInfo,
/// SearchBankByText and the default rules of new objects from the data path,
/// settings and bank code file as they were when the pin was made, without
/// any file-system call. A file that was missing then stays missing for the
/// pin's life. When the last pin of the thread ends, the next call looks at
/// the files again.
///
/// A pin belongs to the thread that made it and changes nothing for other
/// threads. Pins nest: an inner pin keeps the version of the outer one, and
/// the thread stays pinned until every pin has ended, in whatever order.
#ifndef QUANDOR_BANK_FILE_PIN_H_
#define QUANDOR_BANK_FILE_PIN_H_

#include "quandor/export.h"

namespace quandor {

class QUANDOR_EXPORT BankFilePin {
 public:
  /// Pins the calling thread to the files as they are now. Never throws: when
  /// the files cannot be read, the pin holds them as missing.
  BankFilePin() noexcept;
  /// Must run on the thread that made the pin.
  ~BankFilePin();
  BankFilePin(const BankFilePin&) = delete;
  BankFilePin& operator=(const BankFilePin&) = delete;

  /// Whether the calling thread is pinned now.
  static bool ThreadIsPinned() noexcept;
};

}  // namespace quandor

#endif  // QUANDOR_BANK_FILE_PIN_H_
