// Arbitrary bytes through the converter of the Bundesbank's file. It either
// refuses with a message that names the line and writes nothing, or writes
// a bank code file the component can read: UTF-8, one record a line of
// exactly nine fields, every line ended by CR LF, no more records than
// input lines.
//
// Input: one byte that picks --all-offices, then the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bundesbank.h"
#include "text_encoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool all_offices = (data[0] & 1) != 0;
  const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string out;
  std::string error;
  if (!quandor_check::ConvertBundesbankFile(file, all_offices, out, error)) {
    Check(out.empty());
    Check(error.starts_with("line "));
    return 0;
  }
  std::string valid;
  quandor_check::AppendValidUtf8(valid, out);
  Check(valid == out);
  const auto input_lines = static_cast<std::size_t>(std::count(file.begin(), file.end(), '\n') +
                                                    std::count(file.begin(), file.end(), '\r') + 1);
  std::size_t records = 0;
  std::size_t pos = 0;
  while (pos < out.size()) {
    const std::size_t end = out.find("\r\n", pos);
    Check(end != std::string::npos);
    const std::string_view record(out.data() + pos, end - pos);
    Check(record.find_first_of("\r\n") == std::string_view::npos);
    Check(std::count(record.begin(), record.end(), ';') == 8);
    Check(record.size() > 8 && record[8] == ';');
    ++records;
    pos = end + 2;
  }
  Check(records <= input_lines);
  return 0;
}
