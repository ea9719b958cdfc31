#include "csv.h"

#include <algorithm>
#include <cstring>

#include "ascii_scan.h"

namespace quandor_check {

bool NeedsCsvQuotes(std::string_view field, char delimiter) {
  return FindFirstOf(field.data(), 0, field.size(), delimiter, '"', '\r', '\n') < field.size();
}

void AppendCsvField(std::string& out, std::string_view field, char delimiter) {
  if (IsPlainCsvText(field, delimiter) || !NeedsCsvQuotes(field, delimiter)) {
    out.append(field);
    return;
  }
  out.push_back('"');
  // Runs up to and including each quote, which is then doubled.
  for (;;) {
    const void* quote = std::memchr(field.data(), '"', field.size());
    if (quote == nullptr) break;
    const std::size_t run =
        static_cast<std::size_t>(static_cast<const char*>(quote) - field.data());
    out.append(field.data(), run + 1);
    out.push_back('"');
    field.remove_prefix(run + 1);
  }
  out.append(field);
  out.push_back('"');
}

CsvFields& CsvFields::Text(std::string_view field) {
  Separate();
  if (IsPlainCsvText(field, delimiter_)) {
    out_.append(field);
  } else if (IsPrintable(field)) {
    AppendCsvField(out_, field, delimiter_);
  } else {
    // Rare (a control character from the bank code file): a buffer kept
    // for the run spares an allocation per field.
    static std::string printable;
    printable.clear();
    AppendPrintable(printable, field);
    AppendCsvField(out_, printable, delimiter_);
  }
  return *this;
}

namespace {

constexpr std::string_view kUnclosedQuote = "unclosed quote";
constexpr std::string_view kTextAfterQuote = "text after a closing quote";
constexpr std::string_view kTooLong = "row too long";

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// The index of a new field of row.
inline std::size_t StartField(CsvRow& row) {
  if (row.fields.size() <= row.count) [[unlikely]]
    row.fields.resize(row.count + 1);
  return row.count++;
}

}  // namespace

CsvReader::CsvReader(int fd, char delimiter, std::size_t chunk_size, std::size_t max_record)
    : reader_(fd, chunk_size, max_record), delimiter_(delimiter), max_record_(max_record) {}

CsvReader::Scan CsvReader::ScanQuotedField(CsvRow& row, std::size_t index, bool final,
                                           std::size_t& i, std::size_t& lines, bool& needs_quotes) {
  const char* d = reader_.data();
  const std::size_t n = reader_.size();
  ++i;  // the opening quote
  const std::size_t start = i;
  std::string* unescaped = nullptr;  // from the first doubled quote on
  std::size_t field_lines = 0;       // line breaks in the field
  for (;;) {
    if (i == n) {
      if (!final) return Scan::kNeedMore;
      // At the very end of input a quoted field still open cannot be
      // told from a stray quote: the row is malformed either way.
      return Scan::kEndedTooSoon;
    }
    // Text up to the next quote, line break or delimiter goes in whole.
    const std::size_t stop = FindFirstOf(d, i, n, '"', '\n', '\r', delimiter_);
    if (unescaped != nullptr) unescaped->append(d + i, stop - i);
    i = stop;
    if (i == n) continue;
    if (d[i] != '"') {
      needs_quotes = true;
      // CR LF, LF and CR alone each count as one line break.
      if (d[i] == '\n' || (d[i] == '\r' && (i + 1 == n || d[i + 1] != '\n'))) ++field_lines;
      if (unescaped != nullptr) unescaped->push_back(d[i]);
      ++i;
      continue;
    }
    // At a quote: a doubled one, or the closing one.
    if (i + 1 == n && !final) return Scan::kNeedMore;
    if (i + 1 < n && d[i + 1] == '"') {
      if (unescaped == nullptr) {
        unescaped = &row.Own(index);
        unescaped->assign(d + start, i - start);
      }
      unescaped->push_back('"');
      needs_quotes = true;
      i += 2;
      continue;
    }
    row.fields[index] = unescaped != nullptr ? std::string_view(*unescaped)
                                             : std::string_view(d + start, i - start);
    ++i;
    // Only a delimiter or the line end may follow a closing quote.
    // Anything else means the opening quote was a stray one that
    // swallowed the lines up to here: one record would hide several.
    if (i < n && d[i] != delimiter_ && !IsLineEnd(d[i])) return Scan::kTextAfterQuote;
    lines += field_lines;
    return Scan::kComplete;
  }
}

void CsvReader::ScanUnquotedField(CsvRow& row, std::size_t index, std::size_t& i,
                                  bool& needs_quotes) {
  const char* d = reader_.data();
  const std::size_t n = reader_.size();
  // A quote in unquoted text is taken as it stands.
  const std::size_t run = i;
  i = FindFirstOf(d, i, n, delimiter_, '\n', '\r', '"');
  while (i < n && d[i] == '"') {
    needs_quotes = true;
    i = FindFirstOf(d, i + 1, n, delimiter_, '\n', '\r');
  }
  row.fields[index] = std::string_view(d + run, i - run);
}

CsvReader::Scan CsvReader::ParseRecord(CsvRow& row, std::size_t& length, std::size_t& lines) {
  const char* d = reader_.data();
  const std::size_t n = reader_.size();
  // The end of the data is the end of the record only at the end of input;
  // a full buffer means the record is too long.
  const bool final = reader_.at_eof() || reader_.full();
  row.count = 0;
  row.canonical = true;
  lines = 0;
  std::size_t i = 0;
  for (;;) {
    const std::size_t index = StartField(row);
    const bool quoted = i < n && d[i] == '"';
    // Whether the field, written back, needs quotes: it holds the delimiter,
    // a quote or a line break.
    bool needs_quotes = false;
    if (quoted) {
      const Scan scan = ScanQuotedField(row, index, final, i, lines, needs_quotes);
      if (scan != Scan::kComplete) return scan;
    } else {
      ScanUnquotedField(row, index, i, needs_quotes);
    }
    // Written back, the row's text comes again when each field is quoted
    // exactly when it needs quotes.
    row.canonical = row.canonical && quoted == needs_quotes;
    if (i == n) {
      if (!final) return Scan::kNeedMore;
      if (!reader_.at_eof()) return Scan::kEndedTooSoon;  // too long: the caller tells them apart
      row.text = std::string_view(d, n);
      length = n;
      ++lines;  // the last line, without a line end
      return Scan::kComplete;
    }
    if (d[i] == delimiter_) {
      ++i;
      continue;
    }
    ++lines;
    row.text = std::string_view(d, i);
    if (d[i] == '\r') {
      if (i + 1 < n && d[i + 1] == '\n') {
        length = i + 2;
      } else {
        length = i + 1;
        // The LF of a CR LF may still be unread; drop it before the next row.
        skip_lf_ = i + 1 == n;
      }
    } else {
      length = i + 1;
    }
    return Scan::kComplete;
  }
}

void CsvReader::TakeLiteralLine(CsvRow& row, std::size_t max_length) {
  const char* d = reader_.data();
  const std::size_t n = std::min(reader_.size(), max_length);
  std::size_t end = 0;
  while (end < n && !IsLineEnd(d[end])) ++end;
  row.count = 0;
  row.text = {};
  row.canonical = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= end; ++i) {
    if (i == end || d[i] == delimiter_) {
      // Owned: the rest of the line is skipped below, which may move the buffer.
      const std::size_t index = StartField(row);
      row.Own(index).assign(d + start, i - start);
      row.fields[index] = row.owned[index];
      start = i + 1;
    }
  }
  if (end < reader_.size() && end < max_length) {
    const bool cr = d[end] == '\r';
    if (cr && end + 1 < reader_.size() && d[end + 1] == '\n') {
      reader_.Consume(end + 2);
    } else {
      reader_.Consume(end + 1);
      skip_lf_ = cr;
    }
  } else {
    reader_.Consume(end);
    SkipRestOfLine();
  }
  ++line_;
}

void CsvReader::SkipRestOfLine() {
  for (;;) {
    const char* d = reader_.data();
    const std::size_t n = reader_.size();
    std::size_t i = 0;
    while (i < n && !IsLineEnd(d[i])) ++i;
    if (i < n) {
      skip_lf_ = d[i] == '\r';
      reader_.Consume(i + 1);
      return;
    }
    reader_.Consume(n);
    if (!reader_.Refill()) return;
  }
}

void CsvReader::ReadFirstLine() {
  std::size_t scanned = 0;
  for (;;) {
    const char* d = reader_.data();
    const std::size_t n = reader_.size();
    while (scanned < n && !IsLineEnd(d[scanned])) ++scanned;
    if (scanned < n || !reader_.Refill()) return;
  }
}

void CsvReader::DropLeadingLf() {
  if (!skip_lf_) return;
  if (reader_.size() == 0) reader_.Refill();
  if (reader_.size() == 0) return;
  skip_lf_ = false;
  if (reader_.data()[0] == '\n') reader_.Consume(1);
}

void CsvReader::Start() {
  if (started_) return;
  started_ = true;
  while (reader_.size() < 3 && reader_.Refill()) {
  }
  const std::string_view head(reader_.data(), std::min<std::size_t>(reader_.size(), 3));
  if (head == "\xEF\xBB\xBF") {
    reader_.Consume(3);
    had_bom_ = true;
  }
}

std::string_view CsvReader::FirstLine() {
  Start();
  ReadFirstLine();
  const char* d = reader_.data();
  const std::size_t n = std::min(reader_.size(), max_record_);
  std::size_t end = 0;
  while (end < n && !IsLineEnd(d[end])) ++end;
  return std::string_view(d, end);
}

bool CsvReader::Next(CsvRow& row) {
  Start();
  DropLeadingLf();
  if (reader_.size() == 0 && !reader_.Refill()) return false;
  row.problem = {};
  row.line = line_;
  for (;;) {
    std::size_t length = 0;
    std::size_t lines = 0;
    const Scan scan = ParseRecord(row, length, lines);
    if (scan == Scan::kComplete) {
      reader_.Consume(length);
      line_ += lines;
      row.lines = lines;
      return true;
    }
    if (scan == Scan::kEndedTooSoon || scan == Scan::kTextAfterQuote) {
      if (scan == Scan::kTextAfterQuote) {
        row.problem = kTextAfterQuote;
        ReadFirstLine();
      } else {
        row.problem = reader_.at_eof() ? kUnclosedQuote : kTooLong;
      }
      TakeLiteralLine(row, max_record_);
      row.lines = 1;
      return true;
    }
    if (!reader_.Refill() && reader_.failed()) return false;
  }
}

}  // namespace quandor_check
