// Arbitrary bytes through the CSV reader and the input decoding, with small
// buffers so that record ends, quotes and CR LF pairs fall on buffer
// boundaries. Every line of the input must belong to exactly one row (rows
// follow each other without gaps or overlaps, each at least one line), all
// of the input must be consumed, and every decoded field must be UTF-8.
//
// Input: one byte that picks delimiter, chunk size, record limit and
// encoding, then the file.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <span>
#include <string>
#include <string_view>

#include "csv.h"
#include "text_encoding.h"

namespace {

using quandor_check::InputEncoding;

// Lines ended by CR LF, CR or LF, and a last one without an end.
std::uint64_t PhysicalLines(std::string_view text) {
  std::uint64_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++lines;
    }
  }
  const bool open_end = !text.empty() && text.back() != '\n' && text.back() != '\r';
  return lines + (open_end ? 1 : 0);
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t knobs = data[0];
  const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
  constexpr char kDelimiters[] = {';', ',', '\t', '|'};
  constexpr std::size_t kChunks[] = {1, 2, 3, 7, 64, 4096};
  constexpr InputEncoding kEncodings[] = {InputEncoding::kAuto, InputEncoding::kUtf8,
                                          InputEncoding::kWindows1252};
  const char delimiter = kDelimiters[knobs % 4];
  const std::size_t chunk = kChunks[(knobs / 4) % 6];
  const std::size_t max_record = (knobs & 0x80) != 0 ? 16 : 1 << 16;
  const InputEncoding encoding = kEncodings[(knobs / 24) % 3];

  const int fd = ::memfd_create("csv", 0);
  if (fd < 0) return 0;
  for (std::size_t done = 0; done < file.size();) {
    const ssize_t put = ::write(fd, file.data() + done, file.size() - done);
    if (put <= 0) std::abort();
    done += static_cast<std::size_t>(put);
  }
  ::lseek(fd, 0, SEEK_SET);

  quandor_check::CsvReader reader(fd, delimiter, chunk, max_record);
  quandor_check::CsvRow row;
  std::uint64_t next_line = 1;
  std::string check;
  std::deque<std::string> decoded;
  while (reader.Next(row)) {
    Check(row.line == next_line);
    Check(row.lines >= 1);
    Check(row.count >= 1);
    next_line = row.line + row.lines;
    if (!row.problem.empty() && row.problem == "row too long") {
      for (std::size_t i = 0; i < row.count; ++i) Check(row.fields[i].size() <= max_record);
    }
    quandor_check::DecodeFields(std::span(row.fields.data(), row.count), decoded, encoding);
    for (std::size_t i = 0; i < row.count; ++i) {
      check.clear();
      quandor_check::AppendValidUtf8(check, row.fields[i]);
      Check(check == row.fields[i]);
    }
  }
  Check(!reader.failed());
  Check(reader.consumed() == file.size());
  Check(next_line - 1 == PhysicalLines(reader.had_bom() ? file.substr(3) : file));
  ::close(fd);
  return 0;
}
