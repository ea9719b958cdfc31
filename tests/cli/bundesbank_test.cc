#include "bundesbank.h"

#include <gtest/gtest.h>

#include <string>

namespace quandor_check {
namespace {

std::string Pad(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

// One line of the Bundesbank file, fields at their columns; texts in ISO-8859-1.
std::string Line(const std::string& code, char type, const std::string& name,
                 const std::string& postcode, const std::string& city,
                 const std::string& short_name, const std::string& bic, const std::string& method,
                 const std::string& deletion = "0", const std::string& successor = "00000000") {
  return code + type + Pad(name, 58) + postcode + Pad(city, 35) + Pad(short_name, 27) + "12345" +
         Pad(bic, 11) + method + "000001" + "U" + deletion + successor;
}

TEST(BundesbankTest, MethodNumbers) {
  const std::pair<const char*, const char*> readable[] = {
      {"00", "00"},  {"09", "09"},  {"99", "99"},  {"A0", "100"},
      {"A4", "104"}, {"B1", "111"}, {"E4", "144"}, {"E9", "149"}};
  for (const auto& [code, number] : readable) EXPECT_EQ(MethodNumber(code), number) << code;
  for (const char* bad : {"F0", "a4", "AA", "9", " 1", "1 ", "004", ""}) {
    EXPECT_EQ(MethodNumber(bad), std::nullopt) << bad;
  }
}

TEST(BundesbankTest, Latin1BecomesUtf8) {
  EXPECT_EQ(Latin1ToUtf8("K\xF6ln M\xFCnchen \xDF \xC4"), "Köln München ß Ä");
  EXPECT_EQ(Latin1ToUtf8("plain"), "plain");
}

TEST(BundesbankTest, ConvertsSortsAndKeepsMainOffices) {
  const std::string file =
      Line("37050198", '1', "Sparkasse K\xF6lnBonn", "50667", "K\xF6ln", "Spk K\xF6lnBonn",
           "COLSDE33", "00") +
      "\r\n" +
      Line("37050198", '2', "Sparkasse K\xF6lnBonn", "53111", "Bonn", "Spk K\xF6lnBonn", "", "00") +
      "\r\n" +
      Line("10000000", '1', "Bundesbank", "10591", "Berlin", "BBk Berlin", "MARKDEF1100", "A4", "1",
           "20050000") +
      "\r\n";
  std::string out;
  std::string error;
  ASSERT_TRUE(ConvertBundesbankFile(file, false, out, error)) << error;
  EXPECT_EQ(out,
            "10000000;Bundesbank;Berlin;BBk Berlin;104;10591;MARKDEF1100;1;20050000\r\n"
            "37050198;Sparkasse KölnBonn;Köln;Spk KölnBonn;00;50667;COLSDE33;0;\r\n");

  ASSERT_TRUE(ConvertBundesbankFile(file, true, out, error)) << error;
  EXPECT_EQ(out,
            "10000000;Bundesbank;Berlin;BBk Berlin;104;10591;MARKDEF1100;1;20050000\r\n"
            "37050198;Sparkasse KölnBonn;Köln;Spk KölnBonn;00;50667;COLSDE33;0;\r\n"
            "37050198;Sparkasse KölnBonn;Bonn;Spk KölnBonn;00;53111;;0;\r\n");
}

TEST(BundesbankTest, LineEndsAndDuplicateMainOffices) {
  const std::string first = Line("20000000", '1', "Erste", "20000", "Hamburg", "E", "", "06");
  const std::string second = Line("20000000", '1', "Zweite", "20000", "Hamburg", "Z", "", "06");
  std::string out;
  std::string error;
  // LF alone ends a line too, and the last line needs no line end.
  ASSERT_TRUE(ConvertBundesbankFile(first + "\n" + second, false, out, error)) << error;
  EXPECT_EQ(out, "20000000;Erste;Hamburg;E;06;20000;;0;\r\n");
  ASSERT_TRUE(ConvertBundesbankFile("", false, out, error));
  EXPECT_EQ(out, "");
}

TEST(BundesbankTest, MalformedLineNamesItsNumberAndWritesNothing) {
  const std::string good = Line("10000000", '1', "Bank", "10591", "Berlin", "B", "", "09");
  struct Case {
    std::string line;
    std::string reason;
  };
  const Case cases[] = {
      {"short line", "10 characters instead of 168"},
      {"", "0 characters instead of 168"},
      {good + " ", "169 characters"},
      {Line("1000000X", '1', "Bank", "10591", "Berlin", "B", "", "09"), "bank code '1000000X'"},
      {Line("10000000", '3', "Bank", "10591", "Berlin", "B", "", "09"), "record type '3'"},
      {Line("10000000", '1', "Bank", "1059a", "Berlin", "B", "", "09"), "postcode '1059a'"},
      {Line("10000000", '1', "Bank", "10591", "Berlin", "B", "", "F1"), "check method 'F1'"},
      {Line("10000000", '1', "Bank", "10591", "Berlin", "B", "", "09", "X"), "deletion flag 'X'"},
      {Line("10000000", '1', "Bank", "10591", "Berlin", "B", "", "09", "1", "2005000 "),
       "successor bank code '2005000 '"},
      {Line("10000000", '1', "Bank; AG", "10591", "Berlin", "B", "", "09"), "';' in 'Bank; AG'"},
  };
  for (const Case& c : cases) {
    std::string out = "old";
    std::string error;
    EXPECT_FALSE(
        ConvertBundesbankFile(good + "\r\n" + c.line + "\r\n" + good + "\r\n", false, out, error));
    EXPECT_TRUE(error.starts_with("line 2: ")) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(out, "");
  }
}

}  // namespace
}  // namespace quandor_check
