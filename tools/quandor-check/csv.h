// CSV as operators' spreadsheets write it (RFC 4180 style): fields separated
// by a one-character delimiter, a field in double quotes may hold the
// delimiter, line breaks and doubled quotes. Reading is lenient where files
// in the wild are sloppy and never loses a row.
#ifndef QUANDOR_CHECK_CSV_H_
#define QUANDOR_CHECK_CSV_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stream_io.h"
#include "text_encoding.h"

namespace quandor_check {

// True when field must be quoted: it holds the delimiter, a double quote, CR or LF.
bool NeedsCsvQuotes(std::string_view field, char delimiter);

// Appends field, in double quotes with inner quotes doubled when it needs them.
void AppendCsvField(std::string& out, std::string_view field, char delimiter);

// Appends the fields of one output record, separated by the delimiter and
// quoted where needed.
class CsvFields {
 public:
  // With leading, every field is preceded by the delimiter (for columns
  // appended to a row already written).
  CsvFields(std::string& out, char delimiter, bool leading = false)
      : out_(out), delimiter_(delimiter), first_(!leading) {}
  // A result text: control characters and invalid UTF-8 become U+FFFD.
  CsvFields& Text(std::string_view field);
  char delimiter() const { return delimiter_; }
  // A field already in CSV form (made by CsvFields with this delimiter).
  CsvFields& Encoded(std::string_view field) {
    Separate();
    out_.append(field);
    return *this;
  }
  CsvFields& Number(std::int64_t n) {
    Separate();
    AppendNumber(out_, n);
    return *this;
  }
  // The forms that name the field, as JsonFields takes them: the name is
  // the column's, given by the header.
  CsvFields& Number(std::string_view /*name*/, std::int64_t n) { return Number(n); }
  CsvFields& Flag(std::string_view /*name*/, bool value) { return Number(value ? 1 : 0); }
  CsvFields& Text(std::string_view /*name*/, std::string_view field) { return Text(field); }

 private:
  void Separate() {
    if (!first_) out_.push_back(delimiter_);
    first_ = false;
  }
  std::string& out_;
  char delimiter_;
  bool first_;
};

// The message column of a run: the CSV field of each code's text (codes 0
// to 255, as the component's are), checked and quoted once, not on every
// row. A run writes with one delimiter.
class CsvMessages {
 public:
  explicit CsvMessages(std::string_view (*text)(std::int32_t)) : text_(text) {}
  std::string_view Text(std::int32_t code) const { return text_(code); }
  void Append(CsvFields& fields, std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(fields_.size())) {
      fields.Text(text_(code));
      return;
    }
    std::optional<std::string>& field = fields_[static_cast<std::size_t>(code)];
    if (!field) CsvFields(field.emplace(), fields.delimiter()).Text(text_(code));
    fields.Encoded(*field);
  }

 private:
  std::string_view (*text_)(std::int32_t);
  std::array<std::optional<std::string>, 256> fields_;
};

// One record of a CSV file.
struct CsvRow {
  // fields[0 .. count) are this row's, valid until the next read: views of
  // the input as read, or of owned[i] for a field that differs from its
  // bytes in the input (doubled quotes, decoded text). Both are reused from
  // row to row so that reading allocates nothing once warmed up.
  std::vector<std::string_view> fields;
  std::size_t count = 0;
  // A deque, so that growing it leaves the fields that view it alone.
  std::deque<std::string> owned;
  // 1-based line of the file where the row starts, and the number of
  // physical lines it takes. Rows follow each other without gaps, so that
  // every line of the input belongs to exactly one row.
  std::uint64_t line = 0;
  std::uint64_t lines = 0;
  // Why the row is malformed, or empty. A malformed row still carries its
  // fields, split at every delimiter with quotes taken literally.
  std::string_view problem;
  // The record as it stands in the input, without its line end; valid until
  // the next read. canonical: writing the fields back as CSV gives text
  // again, so that text can be copied instead (false for a malformed row).
  std::string_view text;
  bool canonical = false;

  std::string_view field(std::size_t i) const { return i < count ? fields[i] : std::string_view(); }
  // The storage of field i, grown as needed.
  std::string& Own(std::size_t i) {
    if (owned.size() <= i) owned.resize(i + 1);
    return owned[i];
  }
};

// Reads CSV records one at a time from a file descriptor, with memory bounded
// by chunk_size + max_record. Lines end in CR LF, LF or CR.
//
// Sloppy input is read as spreadsheets do: a quote inside an unquoted field
// is kept as an ordinary character. Three faults make a row malformed
// (CsvRow::problem):
//  - a quoted field that is never closed, or
//  - text other than the delimiter or the line end after a closing quote:
//    either way the opening quote may be a stray one that swallowed the
//    following lines, so the row is the physical line where it starts and
//    reading goes on with the next line; one stray quote costs one row and
//    never hides another;
//  - a record longer than max_record: the row holds its first max_record
//    bytes and the rest up to the line end is skipped.
class CsvReader {
 public:
  static constexpr std::size_t kDefaultChunk = 1 << 20;
  static constexpr std::size_t kDefaultMaxRecord = 1 << 20;

  CsvReader(int fd, char delimiter, std::size_t chunk_size = kDefaultChunk,
            std::size_t max_record = kDefaultMaxRecord);

  // False at the end of input or on a read error (failed()). A UTF-8 byte
  // order mark at the start of the input is dropped; see had_bom().
  bool Next(CsvRow& row);

  // The first physical line of the input, without a byte order mark and
  // line end, read but not consumed (or its first max_record bytes): for a
  // look at the columns before the delimiter is settled. Call before Next.
  std::string_view FirstLine();
  // The delimiter of the records read from now on.
  void set_delimiter(char delimiter) { delimiter_ = delimiter; }

  bool failed() const { return reader_.failed(); }
  int error() const { return reader_.error(); }
  std::uint64_t consumed() const { return reader_.consumed(); }
  bool had_bom() const { return had_bom_; }

 private:
  // kEndedTooSoon: the input or the buffer ended inside the record.
  enum class Scan { kComplete, kNeedMore, kEndedTooSoon, kTextAfterQuote };
  // Parses one record from the start of the buffer into row.
  Scan ParseRecord(CsvRow& row, std::size_t& length, std::size_t& lines);
  // The field index of row that starts at buffer position i, with i moved
  // past it; lines counts the line breaks in a quoted field, needs_quotes
  // whether it must be quoted when written back.
  Scan ScanQuotedField(CsvRow& row, std::size_t index, bool final, std::size_t& i,
                       std::size_t& lines, bool& needs_quotes);
  void ScanUnquotedField(CsvRow& row, std::size_t index, std::size_t& i, bool& needs_quotes);
  // Splits the first physical line of the buffer at every delimiter, quotes literal.
  void TakeLiteralLine(CsvRow& row, std::size_t max_length);
  void SkipRestOfLine();
  // Reads until the buffer holds the first physical line whole (or is full).
  void ReadFirstLine();
  void DropLeadingLf();
  // Drops a byte order mark at the start of the input.
  void Start();

  ChunkReader reader_;
  char delimiter_;
  std::size_t max_record_;
  std::uint64_t line_ = 1;
  bool started_ = false;
  bool skip_lf_ = false;
  bool had_bom_ = false;
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_CSV_H_
