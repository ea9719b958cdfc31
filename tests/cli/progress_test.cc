#include "progress.h"

#include <gtest/gtest.h>

namespace quandor_check {
namespace {

TEST(ProgressTest, ShowsShareRateAndTimeLeftFromBytes) {
  const std::string text = FormatProgress(450000, 45, 100, 2.0, false);
  EXPECT_EQ(text, " 45% [#########           ] 450000 rows  225000 rows/s  0:02 left");
  EXPECT_NE(FormatProgress(10, 1, 100, 10.0, false).find("16:30 left"), std::string::npos);
  EXPECT_NE(FormatProgress(10, 1, 1000, 10.0, false).find("2:46:30 left"), std::string::npos);
  EXPECT_NE(FormatProgress(0, 0, 100, 0.0, false).find("--:-- left"), std::string::npos);
}

TEST(ProgressTest, SummaryAtTheEnd) {
  EXPECT_EQ(FormatProgress(1000000, 90, 100, 2.5, true),
            "100% [####################] 1000000 rows in 2.5 s  400000 rows/s");
}

}  // namespace
}  // namespace quandor_check
