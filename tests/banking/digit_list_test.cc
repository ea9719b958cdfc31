#include "digit_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quandor {
namespace {

DigitList Digits(std::string_view text) {
  DigitList list;
  for (char c : text) AppendToArray(list, c - '0');
  return list;
}

TEST(DigitList, AppendPadJoin) {
  DigitList list;
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(JoinArray(list), "");
  list = Digits("123");
  EXPECT_EQ(JoinArray(list), "123");
  PadArrayLeft(list, 0, 9);
  EXPECT_EQ(list.size(), 10u);
  EXPECT_EQ(JoinArray(list), "0000000123");
  // A list as long as the bound, or longer, stays as it is.
  DigitList full = Digits("12345678901");
  PadArrayLeft(full, 0, 9);
  EXPECT_EQ(JoinArray(full), "12345678901");
}

TEST(DigitList, CountsBeyondItsCapacity) {
  DigitList list;
  for (int i = 0; i < 40; ++i) AppendToArray(list, 7);
  EXPECT_EQ(list.size(), 40u);
  EXPECT_FALSE(list.complete());
  EXPECT_THROW(JoinArray(list), std::length_error);
  EXPECT_THROW(PadArrayLeft(list, 0, 9), std::length_error);
}

TEST(DigitList, DigitsOnly) {
  EXPECT_EQ(DigitsOnly("370 501-98/x"), "37050198");
  EXPECT_EQ(DigitsOnly("abc"), "");
  // Digits of other scripts are no digits here (full-width 1, Arabic-Indic 2).
  EXPECT_EQ(DigitsOnly("\xEF\xBC\x91\xD9\xA2"
                       "3"),
            "3");
}

}  // namespace
}  // namespace quandor
