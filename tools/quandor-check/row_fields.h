// The result columns of one CSV row, written as CSV fields behind the row
// or as the fields of its JSON object: one check writes either.
#ifndef QUANDOR_CHECK_ROW_FIELDS_H_
#define QUANDOR_CHECK_ROW_FIELDS_H_

#include <cstdint>
#include <string_view>

#include "csv.h"
#include "json_fields.h"

namespace quandor_check {

class RowFields {
 public:
  explicit RowFields(CsvFields& csv) : csv_(&csv) {}
  explicit RowFields(JsonFields& json) : json_(&json) {}

  RowFields& Number(std::string_view name, std::int64_t value) {
    if (csv_ != nullptr) {
      csv_->Number(value);
    } else {
      json_->Number(name, value);
    }
    return *this;
  }
  RowFields& Flag(std::string_view name, bool value) {
    if (csv_ != nullptr) {
      csv_->Flag(name, value);
    } else {
      json_->Flag(name, value);
    }
    return *this;
  }
  RowFields& Text(std::string_view name, std::string_view value) {
    if (csv_ != nullptr) {
      csv_->Text(value);
    } else {
      json_->Text(name, value);
    }
    return *this;
  }
  // The "message" column: code's text, through the run's cache of CSV fields.
  RowFields& Message(CsvMessages& messages, std::int32_t code) {
    if (csv_ != nullptr) {
      messages.Append(*csv_, code);
    } else {
      json_->Text("message", messages.Text(code));
    }
    return *this;
  }

 private:
  CsvFields* csv_ = nullptr;
  JsonFields* json_ = nullptr;
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_ROW_FIELDS_H_
