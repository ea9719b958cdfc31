// quandor-check iban: waits for the IBAN library interface.
#include "commands.h"
#include "common.h"

namespace quandor_check {

int RunIban(Words) { return Fail(kExitUsage, "iban: not available in this build"); }

}  // namespace quandor_check
