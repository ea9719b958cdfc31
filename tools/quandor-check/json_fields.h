// Results as JSON: one object a line (NDJSON), in the field order the
// command writes them. The field names are the CSV columns' names.
#ifndef QUANDOR_CHECK_JSON_FIELDS_H_
#define QUANDOR_CHECK_JSON_FIELDS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace quandor_check {

class JsonFields {
 public:
  JsonFields& Number(std::string_view name, std::int64_t value) {
    object_[std::string(name)] = value;
    return *this;
  }
  JsonFields& Flag(std::string_view name, bool value) {
    object_[std::string(name)] = value;
    return *this;
  }
  JsonFields& Text(std::string_view name, std::string_view value) {
    object_[std::string(name)] = std::string(value);
    return *this;
  }
  nlohmann::ordered_json& object() { return object_; }

  // Appends the object on one line, without the line end. Bytes that are
  // not UTF-8 become U+FFFD.
  void AppendTo(std::string& out) const {
    out.append(object_.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
  }

 private:
  nlohmann::ordered_json object_ = nlohmann::ordered_json::object();
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_JSON_FIELDS_H_
