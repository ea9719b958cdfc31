#include "validate_many.h"

#include <pybind11/numpy.h>

#include <algorithm>
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

bool IsMissing(PyObject* item) {
  return item == Py_None || (PyFloat_Check(item) && std::isnan(PyFloat_AS_DOUBLE(item)));
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
  if (IsMissing(item)) return {};
  // Integers, also NumPy's: a column read as numbers still has its digits.
  if (!PyBool_Check(item) && PyIndex_Check(item)) {
    const py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(item));
    if (!number) throw py::error_already_set();
    return column.owned.emplace_back(py::str(number).cast<std::string>());
  }
  throw py::type_error(std::string("validate_many: element ") + std::to_string(i) + " of " + name +
                       " is " + Py_TYPE(item)->tp_name + ", expected str, bytes, int or None");
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

std::int32_t NameNumber(NameTable& names, std::vector<const std::string*>& by_number,
                        const std::string& name) {
  auto found = names.find(std::string_view(name));
  if (found == names.end()) {
    found = names.emplace(name, static_cast<std::int32_t>(by_number.size())).first;
    by_number.push_back(&found->first);
  }
  return found->second;
}

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

}  // namespace

py::tuple ValidateMany(py::handle blzs, py::handle accounts, std::int32_t strictness,
                       std::int32_t rules) {
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
  std::vector<std::int32_t> name(rows);
  NameTable names;
  std::vector<const std::string*> name_by_number;
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
      name[i] = NameNumber(names, name_by_number, banking.BankName());
    }
  }

  std::vector<py::object> method_codes;
  const std::int32_t method_count =
      rows == 0 ? 1 : *std::max_element(method.begin(), method.end()) + 1;
  for (std::int32_t m = 0; m < method_count; ++m)
    method_codes.push_back(py::str(quandor::TestingMethodCode(m - 1)));
  std::vector<py::object> name_texts;
  name_texts.reserve(name_by_number.size());
  for (const std::string* text : name_by_number)
    name_texts.push_back(py::reinterpret_steal<py::object>(
        PyUnicode_DecodeUTF8(text->data(), static_cast<Py_ssize_t>(text->size()), "replace")));
  return py::make_tuple(valid, error, ObjectColumn(method, method_codes),
                        ObjectColumn(name, name_texts));
}

}  // namespace quandor_python
