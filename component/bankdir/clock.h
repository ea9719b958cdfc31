// The clock by which the bank code file's editions take over and grow old.
// Editions count local calendar days. Tests set the clock; nothing else does.
#ifndef QUANDOR_BANKDIR_CLOCK_H_
#define QUANDOR_BANKDIR_CLOCK_H_

#include <ctime>
#include <optional>

#include "bankdir/edition.h"

namespace quandor::bankdir {

// Now, by the system's clock unless a test set another.
std::time_t Now();

// The local calendar day of a moment, and the moment a local day begins.
Day DayOf(std::time_t moment);
std::time_t StartOf(Day day);

// The local day of Now().
inline Day Today() { return DayOf(Now()); }

// Makes Now() answer moment until called with nothing. For tests.
void SetNowForTesting(std::optional<std::time_t> moment);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_CLOCK_H_
