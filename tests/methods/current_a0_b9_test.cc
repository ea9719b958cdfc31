// Today's methods A0 to B9: the Bundesbank's test account numbers.
#include <gtest/gtest.h>

#include "account.h"

namespace quandor::methods::testing {
namespace {}  // namespace
}  // namespace quandor::methods::testing
