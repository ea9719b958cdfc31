#include "csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "temp_input.h"

namespace quandor_check {
namespace {

TEST(CsvQuotingTest, QuotesOnlyWhatNeedsIt) {
  struct Case {
    std::string field;
    char delimiter;
    std::string written;
  };
  const Case cases[] = {
      {"Sparkasse KölnBonn", ';', "Sparkasse KölnBonn"},
      {"", ';', ""},
      {"a;b", ';', "\"a;b\""},
      {"a;b", ',', "a;b"},
      {"a,b", ',', "\"a,b\""},
      {"say \"hi\"", ';', "\"say \"\"hi\"\"\""},
      {"two\nlines", ';', "\"two\nlines\""},
      {"cr\r", ';', "\"cr\r\""},
      {"tab\there", '\t', "\"tab\there\""},
  };
  for (const Case& c : cases) {
    std::string out = "x";
    AppendCsvField(out, c.field, c.delimiter);
    EXPECT_EQ(out, "x" + c.written) << c.field;
  }
}

TEST(CsvQuotingTest, CsvFieldsSeparatesAndLeads) {
  std::string out = "row";
  CsvFields(out, ';', true).Number(1).Number(-1).Text("a;b").Text("");
  EXPECT_EQ(out, "row;1;-1;\"a;b\";");
  out.clear();
  CsvFields(out, ',').Text("x").Number(7);
  EXPECT_EQ(out, "x,7");
}

struct Row {
  std::vector<std::string> fields;
  std::string problem;
  std::uint64_t line;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << "line " << row.line << " [";
  for (const auto& f : row.fields) *os << '<' << f << '>';
  *os << "] " << row.problem;
}

// Lines ended by CR LF, CR or LF, and a last one without an end.
std::uint64_t PhysicalLines(std::string_view text) {
  std::uint64_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++lines;
    }
  }
  return lines + (!text.empty() && text.back() != '\n' && text.back() != '\r' ? 1 : 0);
}

// Also checks that the rows account for every line of the input, each once.
std::vector<Row> ReadAll(const std::string& text, std::size_t chunk, std::size_t max_record,
                         char delimiter = ';', bool* bom = nullptr) {
  TempInput input(text);
  CsvReader reader(input.fd(), delimiter, chunk, max_record);
  std::vector<Row> rows;
  CsvRow row;
  std::uint64_t next_line = 1;
  while (reader.Next(row)) {
    EXPECT_EQ(row.line, next_line);
    EXPECT_GE(row.lines, 1u);
    next_line = row.line + row.lines;
    rows.push_back({std::vector<std::string>(row.fields.begin(),
                                             row.fields.begin() + static_cast<long>(row.count)),
                    std::string(row.problem), row.line});
  }
  EXPECT_FALSE(reader.failed());
  EXPECT_EQ(reader.consumed(), text.size());
  EXPECT_EQ(next_line - 1, PhysicalLines(reader.had_bom() ? text.substr(3) : text)) << text;
  if (bom != nullptr) *bom = reader.had_bom();
  return rows;
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<Row> rows;
};

// Each case runs with chunk sizes that put every byte at a buffer boundary.
TEST(CsvReaderTest, ReadsRecordsAcrossBufferBoundaries) {
  const ReadCase cases[] = {
      {"crlf", "a;b;c\r\nd;e;f\r\n", {{{"a", "b", "c"}, "", 1}, {{"d", "e", "f"}, "", 2}}},
      {"mixed line ends",
       "a\nb\rc\r\nd",
       {{{"a"}, "", 1}, {{"b"}, "", 2}, {{"c"}, "", 3}, {{"d"}, "", 4}}},
      {"quoted delimiter and quotes",
       "\"x;y\";\"he said \"\"hi\"\"\"\n",
       {{{"x;y", "he said \"hi\""}, "", 1}}},
      {"line breaks inside quotes",
       "\"l1\r\nl2\";z\n\"a\nb\nc\"\nnext\n",
       {{{"l1\r\nl2", "z"}, "", 1}, {{"a\nb\nc"}, "", 3}, {{"next"}, "", 6}}},
      {"empty fields and lines",
       ";;\n\nb\n",
       {{{"", "", ""}, "", 1}, {{""}, "", 2}, {{"b"}, "", 3}}},
      {"stray quote inside a field kept as text", "ab\"c;\"\"\n", {{{"ab\"c", ""}, "", 1}}},
      {"text after a closing quote costs one line",
       "\"q\"x;1\n2;3\n",
       {{{"\"q\"x", "1"}, "text after a closing quote", 1}, {{"2", "3"}, "", 2}}},
      {"stray quote swallowing lines merges nothing",
       "N;B\n\"Meier;1\nOk;2\nSchmidt \"Hans\";3\n",
       {{{"N", "B"}, "", 1},
        {{"\"Meier", "1"}, "text after a closing quote", 2},
        {{"Ok", "2"}, "", 3},
        {{"Schmidt \"Hans\"", "3"}, "", 4}}},
      {"unclosed quote costs one line",
       "1;\"open\n2;3\n",
       {{{"1", "\"open"}, "unclosed quote", 1}, {{"2", "3"}, "", 2}}},
      {"unclosed quote at the end",
       "1;2\n\"x;y",
       {{{"1", "2"}, "", 1}, {{"\"x", "y"}, "unclosed quote", 2}}},
  };
  for (const ReadCase& c : cases) {
    for (const std::size_t chunk : {1u, 2u, 3u, 5u, 4096u}) {
      EXPECT_EQ(ReadAll(c.text, chunk, 1024), c.rows) << c.name << ", chunk " << chunk;
    }
  }
}

TEST(CsvReaderTest, OverlongRowIsCutAndReadingGoesOn) {
  const std::string text = "short\n" + std::string(40, 'x') + "\nafter;1\n";
  for (const std::size_t chunk : {1u, 4u, 64u}) {
    const std::vector<Row> expected = {
        {{"short"}, "", 1}, {{std::string(16, 'x')}, "row too long", 2}, {{"after", "1"}, "", 3}};
    EXPECT_EQ(ReadAll(text, chunk, 16), expected) << "chunk " << chunk;
  }
}

TEST(CsvReaderTest, OtherDelimiterAndByteOrderMark) {
  bool bom = false;
  const std::vector<Row> expected = {{{"h1", "h;2"}, "", 1}, {{"1", "2"}, "", 2}};
  EXPECT_EQ(ReadAll("\xEF\xBB\xBFh1\th;2\n1\t2\n", 2, 1024, '\t', &bom), expected);
  EXPECT_TRUE(bom);
  EXPECT_EQ(ReadAll("h\n", 2, 1024, ';', &bom).size(), 1u);
  EXPECT_FALSE(bom);
}

TEST(CsvReaderTest, EmptyInputHasNoRows) { EXPECT_TRUE(ReadAll("", 4, 64).empty()); }

}  // namespace
}  // namespace quandor_check
