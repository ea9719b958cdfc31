#include "validate_many.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"

namespace py = pybind11;

namespace quandor_python {
namespace {

// The texts of one input column, as views into the Python objects (kept alive
// by items) or into owned, for values that had to be converted.
struct TextColumn {
  py::object items;  // a tuple
  std::deque<std::string> owned;
  std::vector<std::string_view> views;
};

// pandas' NA, known without importing pandas: once pandas is loaded, NA is
// its attribute; a column holding it was made by pandas anyway.
bool IsPandasNa(PyObject* item) {
  PyObject* modules = PyImport_GetModuleDict();
  PyObject* pandas = PyDict_GetItemString(modules, "pandas");  // borrowed
  if (pandas == nullptr) return false;
  const py::object na = py::reinterpret_steal<py::object>(PyObject_GetAttrString(pandas, "NA"));
  if (!na) {
    PyErr_Clear();
    return false;
  }
  return item == na.ptr();
}

[[noreturn]] void ThrowElementType(PyObject* item, const char* name, Py_ssize_t i,
                                   const char* expected) {
  // The value as repr shows it, cut short; nothing when repr itself fails.
  std::string shown;
  const py::object text = py::reinterpret_steal<py::object>(PyObject_Repr(item));
  const py::object cut =
      text ? py::reinterpret_steal<py::object>(PyUnicode_Substring(text.ptr(), 0, 40)) : text;
  Py_ssize_t size = 0;
  const char* utf8 = cut ? PyUnicode_AsUTF8AndSize(cut.ptr(), &size) : nullptr;
  if (utf8 != nullptr) shown.assign(utf8, static_cast<std::size_t>(size));
  PyErr_Clear();
  throw py::type_error(std::string("validate_many: row ") + std::to_string(i) + " of " + name +
                       " is " + Py_TYPE(item)->tp_name + " " + shown + ", " + expected);
}

// The decimal digits of a number column's value, without a Python string per
// row: a column read as numbers is the common case of a large file.
std::string_view Digits(long long value, TextColumn& column) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return column.owned.emplace_back(digits, end);
}

std::string_view ItemText(PyObject* item, TextColumn& column, const char* name, Py_ssize_t i) {
  if (PyUnicode_Check(item)) {
    Py_ssize_t size = 0;
    const char* text = PyUnicode_AsUTF8AndSize(item, &size);
    if (text == nullptr) throw py::error_already_set();
    return {text, static_cast<std::size_t>(size)};
  }
  if (PyBytes_Check(item)) {
    return {PyBytes_AS_STRING(item), static_cast<std::size_t>(PyBytes_GET_SIZE(item))};
  }
  if (item == Py_None) return {};
  // A number column with a gap is read as floats: NaN is the gap, and a
  // whole number still has its digits.
  if (PyFloat_Check(item)) {
    const double value = PyFloat_AS_DOUBLE(item);
    if (std::isnan(value)) return {};
    // Up to 2^63 the digits come straight from the double; beyond, no bank
    // code or account number fits anyway, but the digits are still its own.
    if (!std::isfinite(value) || value != std::floor(value) || value < 0) {
      ThrowElementType(item, name, i, "expected a whole number");
    }
    if (value < 0x1p63) return Digits(static_cast<long long>(value), column);
    const py::object number = py::reinterpret_steal<py::object>(PyLong_FromDouble(value));
    if (!number) throw py::error_already_set();
    return column.owned.emplace_back(py::str(number).cast<std::string>());
  }
  // Integers, also NumPy's: a column read as numbers still has its digits.
  if (!PyBool_Check(item) && PyIndex_Check(item)) {
    const py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(item));
    if (!number) throw py::error_already_set();
    int overflow = 0;
    const long long value = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
    if (overflow == 0 && !(value == -1 && PyErr_Occurred())) return Digits(value, column);
    PyErr_Clear();
    return column.owned.emplace_back(py::str(number).cast<std::string>());
  }
  if (IsPandasNa(item)) return {};
  ThrowElementType(item, name, i, "expected str, bytes, int, a whole float or a missing value");
}

TextColumn ReadColumn(py::handle values, const char* name) {
  if (PyUnicode_Check(values.ptr()) || PyBytes_Check(values.ptr())) {
    throw py::type_error(std::string("validate_many: ") + name +
                         " must be a sequence of texts, not a single text");
  }
  TextColumn column;
  // A tuple of its own even for a list: the texts are read without the lock,
  // while another thread might empty the caller's list.
  column.items = py::reinterpret_steal<py::object>(PySequence_Tuple(values.ptr()));
  if (!column.items) throw py::error_already_set();
  const Py_ssize_t size = PyTuple_GET_SIZE(column.items.ptr());
  PyObject** items = &PyTuple_GET_ITEM(column.items.ptr(), 0);
  column.views.reserve(static_cast<std::size_t>(size));
  for (Py_ssize_t i = 0; i < size; ++i) column.views.push_back(ItemText(items[i], column, name, i));
  return column;
}

// Bank names repeat: each distinct one becomes one Python string.
struct ViewHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};
using NameTable = std::unordered_map<std::string, std::int32_t, ViewHash, std::equal_to<>>;

// An object array of n entries; entry i becomes the object of number[i].
py::array ObjectColumn(const std::vector<std::int32_t>& number, const std::vector<py::object>& of) {
  py::array column(py::module_::import("numpy").attr("empty")(number.size(), "object"));
  auto** data = static_cast<PyObject**>(column.mutable_data());
  for (std::size_t i = 0; i < number.size(); ++i) {
    PyObject* value = of[static_cast<std::size_t>(number[i])].ptr();
    Py_INCREF(value);
    PyObject* before = data[i];  // numpy.empty fills object arrays with None
    data[i] = value;
    Py_XDECREF(before);
  }
  return column;
}

// A text column of the bank's fields: each distinct text is one Python string.
class SharedTexts {
 public:
  explicit SharedTexts(std::size_t rows) : number_(rows) {}
  void Set(std::size_t row, const std::string& text) {
    auto found = numbers_.find(std::string_view(text));
    if (found == numbers_.end()) {
      found = numbers_.emplace(text, static_cast<std::int32_t>(texts_.size())).first;
      texts_.push_back(&found->first);
    }
    number_[row] = found->second;
  }
  // Needs the interpreter lock.
  py::array Column() const {
    std::vector<py::object> objects;
    objects.reserve(texts_.size());
    for (const std::string* text : texts_)
      objects.push_back(py::reinterpret_steal<py::object>(
          PyUnicode_DecodeUTF8(text->data(), static_cast<Py_ssize_t>(text->size()), "replace")));
    return ObjectColumn(number_, objects);
  }

 private:
  NameTable numbers_;
  std::vector<const std::string*> texts_;
  std::vector<std::int32_t> number_;
};

}  // namespace

py::tuple ValidateMany(py::handle blzs, py::handle accounts, std::int32_t strictness,
                       std::int32_t rules, bool with_city, bool with_bic) {
  const TextColumn bank_codes = ReadColumn(blzs, "blzs");
  const TextColumn account_numbers = ReadColumn(accounts, "accounts");
  const std::size_t rows = bank_codes.views.size();
  if (account_numbers.views.size() != rows) {
    throw py::value_error("validate_many: blzs has " + std::to_string(rows) +
                          " elements, accounts " + std::to_string(account_numbers.views.size()));
  }

  py::array_t<bool> valid(static_cast<py::ssize_t>(rows));
  py::array_t<std::int32_t> error(static_cast<py::ssize_t>(rows));
  std::vector<std::int32_t> method(rows);
  SharedTexts names(rows);
  SharedTexts cities(with_city ? rows : 0);
  SharedTexts bics(with_bic ? rows : 0);
  {
    bool* valid_out = valid.mutable_data();
    std::int32_t* error_out = error.mutable_data();
    py::gil_scoped_release unlocked;
    // One batch, one version of the bank code file, and no look at it per row.
    const quandor::BankFilePin pin;
    // Made under the pin, so that it is made from the pinned version.
    quandor::Banking banking;
    banking.Strictness(strictness);
    banking.Rules(rules);
    for (std::size_t i = 0; i < rows; ++i) {
      valid_out[i] = banking.Validate(bank_codes.views[i], account_numbers.views[i]);
      error_out[i] = banking.LastError();
      method[i] = banking.UsedTestingMethod() + 1;  // 0: no method
      names.Set(i, banking.BankName());
      if (with_city) cities.Set(i, banking.BankCity());
      if (with_bic) bics.Set(i, banking.BankBIC());
    }
  }

  std::vector<py::object> method_codes;
  const std::int32_t method_count =
      rows == 0 ? 1 : *std::max_element(method.begin(), method.end()) + 1;
  for (std::int32_t m = 0; m < method_count; ++m)
    method_codes.push_back(py::str(quandor::TestingMethodCode(m - 1)));
  return py::make_tuple(valid, error, ObjectColumn(method, method_codes), names.Column(),
                        with_city ? py::object(cities.Column()) : py::none(),
                        with_bic ? py::object(bics.Column()) : py::none());
}

}  // namespace quandor_python
