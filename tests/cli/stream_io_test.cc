#include "stream_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "temp_input.h"

namespace quandor_check {
namespace {

struct Lines {
  std::vector<std::string> lines;
  std::vector<bool> truncated;
};

Lines ReadLines(const std::string& text, std::size_t chunk, std::size_t max_line) {
  TempInput input(text);
  LineReader reader(input.fd(), chunk, max_line);
  Lines result;
  std::string_view line;
  while (reader.Next(line)) {
    result.lines.emplace_back(line);
    result.truncated.push_back(reader.truncated());
  }
  EXPECT_FALSE(reader.failed());
  EXPECT_EQ(reader.consumed(), text.size());
  return result;
}

TEST(LineReaderTest, EveryLineEndAtEveryBufferBoundary) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"37050198;123\r\n10000000;9\r\n", {"37050198;123", "10000000;9"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"\n\r\n\r", {"", "", ""}},
      {"no line end", {"no line end"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    for (const std::size_t chunk : {1u, 2u, 3u, 1024u}) {
      EXPECT_EQ(ReadLines(c.text, chunk, 1024).lines, c.lines) << "chunk " << chunk;
    }
  }
}

TEST(LineReaderTest, OverlongLineIsCutAndTheRestSkipped) {
  for (const std::size_t chunk : {1u, 3u, 64u}) {
    const Lines read = ReadLines("abcdefgh\r\nij\nklmn\n", chunk, 4);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"abcd", "ij", "klmn"})) << "chunk " << chunk;
    EXPECT_EQ(read.truncated, (std::vector<bool>{true, false, false})) << "chunk " << chunk;
  }
}

TEST(OutputSinkTest, WritesEverythingInOrderAndReportsFailure) {
  TempInput file("");
  {
    OutputSink sink(file.fd(), 8);
    for (int i = 0; i < 100; ++i) {
      AppendNumber(sink.buffer(), i - 50);
      sink.buffer().push_back('\n');
      sink.MaybeFlush();
    }
    EXPECT_TRUE(sink.Flush());
  }
  std::string written(1000, '\0');
  const ssize_t got = ::pread(file.fd(), written.data(), written.size(), 0);
  ASSERT_GT(got, 0);
  written.resize(static_cast<std::size_t>(got));
  EXPECT_TRUE(written.starts_with("-50\n-49\n"));
  EXPECT_TRUE(written.ends_with("48\n49\n"));

  OutputSink broken(-1);
  broken.buffer() = "lost";
  EXPECT_FALSE(broken.Flush());
  EXPECT_FALSE(broken.ok());
  EXPECT_TRUE(broken.buffer().empty());
}

}  // namespace
}  // namespace quandor_check
