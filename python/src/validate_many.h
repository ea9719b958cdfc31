// validate_many: a column of bank codes and one of account numbers checked
// in one call, without the interpreter lock, answered as columns.
#ifndef QUANDOR_PYTHON_VALIDATE_MANY_H_
#define QUANDOR_PYTHON_VALIDATE_MANY_H_

#include <pybind11/pybind11.h>

#include <cstdint>

namespace quandor_python {

// blzs and accounts: equally long iterables (not str or bytes) of str, bytes,
// int or a whole float (its decimal digits), or None / NaN / pandas.NA (a
// missing value, checked as ""). Returns (valid: bool array, error: int32
// array, method: object array of Bundesbank codes, bank_name, bank_city,
// bic: object arrays, the last two None unless asked for). Raises TypeError
// naming the row for another element, or for a text as a whole column,
// ValueError for unequal lengths.
pybind11::tuple ValidateMany(pybind11::handle blzs, pybind11::handle accounts,
                             std::int32_t strictness, std::int32_t rules, bool with_city,
                             bool with_bic);

}  // namespace quandor_python

#endif  // QUANDOR_PYTHON_VALIDATE_MANY_H_
