// A host without any display (a server, the command-line tool): ShowInfo
// must come back at once and change nothing. Run with no DISPLAY,
// WAYLAND_DISPLAY or QT_QPA_PLATFORM in the environment.
#include <gtest/gtest.h>

#include "info_box.h"
#include "quandor/creditcard.h"

namespace quandor {
namespace {

TEST(InfoBoxHeadlessTest, ShowsNothingAndReturns) {
  EXPECT_FALSE(ShowInfoBox());
  EXPECT_FALSE(ShowInfoBox());  // the loaded module is asked again, with the same answer
}

TEST(InfoBoxHeadlessTest, ShowInfoLeavesTheObjectAlone) {
  Creditcard card;
  card.Strictness(qdStrictnessStrict);
  ASSERT_TRUE(card.Validate(ccVisa, "4111 1111 1111 1111"));
  card.ShowInfo();
  EXPECT_EQ(card.LastError(), qdNoError);
  EXPECT_EQ(card.CardNumber(), "4111 1111 1111 1111");
  EXPECT_EQ(card.Strictness(), qdStrictnessStrict);
}

}  // namespace
}  // namespace quandor
