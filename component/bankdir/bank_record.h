// One record of the bank code file: a line split at every ";", with no
// quoting and no trimming. Fields: 1 bank code, 2 bank name, 3 city,
// 4 further text, 5 check method number; any further fields are ignored.
#ifndef QUANDOR_BANKDIR_BANK_RECORD_H_
#define QUANDOR_BANKDIR_BANK_RECORD_H_

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quandor::bankdir {

inline constexpr char kFieldSeparator = ';';

// Walks the fields of a line from the first, without copying them.
class FieldReader {
 public:
  explicit FieldReader(std::string_view line) : rest_(line) {}
  // The next field, or nothing after the last one.
  std::optional<std::string_view> Next() {
    if (done_) return std::nullopt;
    const std::size_t end = rest_.find(kFieldSeparator);
    const std::string_view field = rest_.substr(0, end);
    if (end == std::string_view::npos) {
      done_ = true;
    } else {
      rest_.remove_prefix(end + 1);
    }
    return field;
  }

 private:
  std::string_view rest_;
  bool done_ = false;
};

// The first eight bytes of a field as one number, big-endian and zero-filled,
// so that the numbers order as the fields do (a smaller number, a smaller
// field; an equal one says nothing for longer fields).
inline uint64_t FieldPrefix(std::string_view field) {
  if (field.size() >= 8) {
    uint64_t word;
    std::memcpy(&word, field.data(), 8);
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
    return word;
  }
  uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const auto byte = i < field.size() ? static_cast<unsigned char>(field[i]) : 0u;
    prefix = (prefix << 8) | byte;
  }
  return prefix;
}

// Every field of the line, in order; a line without ";" is one field.
std::vector<std::string> SplitFields(std::string_view line);

// Field 1: the text before the first ";", the whole line when it has none.
std::string_view BankCodeOf(std::string_view line);

// Field 5 read as a decimal number the way the method number has always been
// read: blanks anywhere ignored, an optional sign, digits with an optional
// decimal point and exponent, reading stops at the first character that
// belongs to no number; no number gives 0. The value is rounded half to even.
// Nothing when it does not fit the 16 bits in which a method is reported:
// such a number names no method, and must never be taken for another one.
std::optional<int32_t> ReadMethodNumber(std::string_view field);

// The fields of a record as far as a check needs them (bank code to BIC),
// found once when the file is loaded, so that a lookup neither splits the
// line nor reads its method number again.
struct RecordLayout {
  static constexpr std::size_t kFields = 7;

  // The layout of line, which must be shorter than 4 GiB.
  static RecordLayout Of(std::string_view line);

  // Field k (0-based) of line, which must be the line the layout was made
  // of; k must be below fields.
  std::string_view Field(std::string_view line, std::size_t k) const {
    const uint32_t begin = k == 0 ? 0 : ends[k - 1] + 1;
    return line.substr(begin, ends[k] - begin);
  }

  std::array<uint32_t, kFields> ends{};  // where field k + 1 ends: its ";" or the line's end
  uint8_t fields = 0;                    // fields present, counting up to kFields
  bool method_fits = false;              // field 5 is there and fits (see ReadMethodNumber)
  int32_t method = 0;                    // its number when it fits
};

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_BANK_RECORD_H_
