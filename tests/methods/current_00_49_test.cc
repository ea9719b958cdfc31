// Today's methods 00 to 49: the Bundesbank's test account numbers.
#include <gtest/gtest.h>

#include "account.h"

namespace quandor::methods::testing {
namespace {}  // namespace
}  // namespace quandor::methods::testing
