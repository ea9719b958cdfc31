#include "bankdir/text_decoding.h"

#include <gtest/gtest.h>

#include <optional>

#include "bankdir/bank_record.h"
#include "bankdir/case_fold.h"

namespace quandor::bankdir {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (const LineSpan& span : SplitLines(text))
    lines.emplace_back(text.substr(span.begin, span.length));
  return lines;
}

TEST(SplitLines, EveryLineEnd) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Lines(""), V{});
  EXPECT_EQ(Lines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
  EXPECT_EQ(Lines("a\n\r"), (V{"a", ""}));  // LF then a lone CR: two line ends
  EXPECT_EQ(Lines("\r\n"), (V{""}));
}

TEST(Utf8, Validity) {
  EXPECT_TRUE(IsValidUtf8("K\xC3\xB6ln \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("K\xF6ln"));           // Latin-1 ö
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xC3"));              // cut short
}

TEST(DecodeBankFileText, Utf8KeptElseWindows1252) {
  EXPECT_EQ(DecodeBankFileText("K\xC3\xB6ln"), "K\xC3\xB6ln");
  EXPECT_EQ(DecodeBankFileText("\xEF\xBB\xBF"
                               "10000000;A"),
            "10000000;A");
  // One stray byte makes its whole line Windows-1252.
  EXPECT_EQ(DecodeBankFileText("K\xC3\xB6ln;M\xFC"
                               "nchen"),
            "K\xC3\x83\xC2\xB6ln;M\xC3\xBCnchen");
  EXPECT_EQ(DecodeBankFileText("\x80 \x8A\x9F\x81"), "\xE2\x82\xAC \xC5\xA0\xC5\xB8\xC2\x81");
}

// Mended: one invalid byte used to turn every line of the file into
// Windows-1252, "München" into "MÃ¼nchen".
TEST(DecodeBankFileText, EachLineOnItsOwn) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"M\xC3\xBCnchen\r\nK\xF6ln\r\n", "M\xC3\xBCnchen\r\nK\xC3\xB6ln\r\n"},
      {"K\xF6ln\nM\xC3\xBCnchen", "K\xC3\xB6ln\nM\xC3\xBCnchen"},
      {"\xEF\xBB\xBFK\xF6ln\r\rM\xC3\xBCnchen\n", "K\xC3\xB6ln\r\rM\xC3\xBCnchen\n"},
      {"\x80\n\xE2\x82\xAC\n\xC3", "\xE2\x82\xAC\n\xE2\x82\xAC\n\xC3\x83"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(DecodeBankFileText(std::string(bytes)), text) << bytes;
  }
}

TEST(FoldCase, AsciiAndLatinLetters) {
  EXPECT_EQ(FoldCase("M\xC3\x9C"
                     "NCHEN \xC3\x84\xC3\x96\xC3\x89\xC3\x98"),
            "m\xC3\xBC"
            "nchen \xC3\xA4\xC3\xB6\xC3\xA9\xC3\xB8");
  EXPECT_EQ(FoldCase("\xC3\x97\xC3\x9F"), "\xC3\x97\xC3\x9F");  // × and ß stay
  EXPECT_EQ(FoldCase("\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8"), "\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF");
  EXPECT_TRUE(Contains("abc", ""));
  EXPECT_FALSE(Contains("", ""));
}

TEST(ReadMethodNumber, ReadsLikeANumber) {
  const std::pair<std::string_view, int32_t> cases[] = {
      {"09", 9},    {"", 0},    {" 9", 9},    {"1 3", 13}, {"A0", 0}, {"13x", 13},
      {"2.5", 2},   {"3.5", 4}, {"1e1", 10},  {"-4", -4},  {"+7", 7}, {".", 0},
      {"144", 144}, {" ", 0},   {"0012", 12}, {"5;", 5},
  };
  for (const auto& [field, value] : cases) {
    EXPECT_EQ(ReadMethodNumber(field), value) << '"' << field << '"';
  }
  // Mended: a number beyond 16 bits was reported cut to 16 bits, naming
  // another method (65545 as 9); and beyond 32 bits it threw.
  for (std::string_view field : {"32768", "65545", "70000", "-32769", "99999999999", "1e400"}) {
    EXPECT_EQ(ReadMethodNumber(field), std::nullopt) << field;
  }
  EXPECT_EQ(ReadMethodNumber("32767"), 32767);
  EXPECT_EQ(ReadMethodNumber("-32768"), -32768);
}

TEST(BankRecord, Fields) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitFields("a;;b;"), (V{"a", "", "b", ""}));
  EXPECT_EQ(SplitFields("12345678"), (V{"12345678"}));
  EXPECT_EQ(BankCodeOf("12345678;x"), "12345678");
  EXPECT_EQ(BankCodeOf("12345678"), "12345678");
}

}  // namespace
}  // namespace quandor::bankdir
