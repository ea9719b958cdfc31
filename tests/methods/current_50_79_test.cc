// Today's methods 50 to 79: the Bundesbank's test account numbers.
#include <gtest/gtest.h>

#include "account.h"

namespace quandor::methods::testing {
namespace {}  // namespace
}  // namespace quandor::methods::testing
