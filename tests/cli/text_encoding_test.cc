#include "text_encoding.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace quandor_check {
namespace {

TEST(DecodeFieldsTest, EachRecordIsUtf8OrWindows1252) {
  struct Case {
    InputEncoding encoding;
    std::vector<std::string> in;
    std::vector<std::string> out;
  };
  const Case cases[] = {
      {InputEncoding::kAuto, {"K\xC3\xB6ln", "x"}, {"K\xC3\xB6ln", "x"}},
      {InputEncoding::kAuto, {"M\xFCller", "\x80"}, {"M\xC3\xBCller", "\xE2\x82\xAC"}},
      // One field decides the record, as one byte decides a line of the bank code file.
      {InputEncoding::kAuto, {"\xFC", "\xC3\xB6"}, {"\xC3\xBC", "\xC3\x83\xC2\xB6"}},
      {InputEncoding::kUtf8, {"M\xFCller", "\xC3\xB6"}, {"M\xEF\xBF\xBDller", "\xC3\xB6"}},
      {InputEncoding::kWindows1252, {"\xC3\xB6"}, {"\xC3\x83\xC2\xB6"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> fields(c.in.begin(), c.in.end());
    std::deque<std::string> owned;
    DecodeFields(fields, owned, c.encoding);
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.end()), c.out) << c.in[0];
  }
  EXPECT_EQ(ParseEncoding("CP1252"), InputEncoding::kWindows1252);
  EXPECT_EQ(ParseEncoding("UTF-8"), InputEncoding::kUtf8);
  EXPECT_EQ(ParseEncoding("ebcdic"), std::nullopt);
}

TEST(PrintableTest, ControlsAndBrokenSequencesBecomeReplacementCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"Sparkasse K\xC3\xB6lnBonn", "Sparkasse K\xC3\xB6lnBonn"},
      {std::string("a\0b", 3), "a" + r + "b"},
      {"\x1B[2Jx\ty\r\n\x7F", r + "[2Jx" + r + "y" + r + r + r},
      {"c1 \xC2\x9B end", "c1 " + r + " end"},
      {"bad \xFF \xC3", "bad " + r + " " + r},
      {"\xE2\x82\xAC \xF0\x9F\x98\x80", "\xE2\x82\xAC \xF0\x9F\x98\x80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Printable(c.in), c.out) << c.in;
    EXPECT_EQ(IsPrintable(c.in), c.in == c.out) << c.in;
  }
}

}  // namespace
}  // namespace quandor_check
