// The native part of the Python package quandor: thin bindings that the
// package's Python modules dress up (enums, result objects, pandas).
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "quandor/banking.h"
#include "quandor/creditcard.h"
#include "quandor/data_info.h"
#include "quandor/errors.h"
#include "quandor/iban.h"
#include "quandor/quandor.h"
#include "validate_many.h"

namespace py = pybind11;

namespace quandor_python {
namespace {

using NamedValues = std::vector<std::pair<std::string, std::int32_t>>;

// The library's enumerations under the names the Python enums give them,
// from which the package builds its enums.
#define QUANDOR_PYTHON_NAMED(name, value, python_name, ...) {#python_name, quandor::name},
const NamedValues kErrors = {QUANDOR_ERRORS(QUANDOR_PYTHON_NAMED)};
const NamedValues kIbanErrors = {QUANDOR_IBAN_ERRORS(QUANDOR_PYTHON_NAMED)};
const NamedValues kStrictness = {QUANDOR_STRICTNESS(QUANDOR_PYTHON_NAMED)};
const NamedValues kRules = {QUANDOR_RULES(QUANDOR_PYTHON_NAMED)};
const NamedValues kSearchFields = {QUANDOR_SEARCH_FIELDS(QUANDOR_PYTHON_NAMED)};
const NamedValues kCardCompanies = {QUANDOR_CARD_COMPANIES(QUANDOR_PYTHON_NAMED)};
#undef QUANDOR_PYTHON_NAMED

// The language named lang ("de" or "en"); ValueError for any other.
quandor::TextLanguage Language(std::string_view lang) {
  const auto language = quandor::TextLanguageByName(lang);
  if (!language) throw py::value_error("lang must be 'de' or 'en'");
  return *language;
}

class Banking {
 public:
  // For an operation; also ends the outcome that Search left.
  quandor::Banking& get() {
    search_error_ = 0;
    return banking_;
  }
  const quandor::Banking& view() const { return banking_; }
  std::int32_t LastError() const {
    return search_error_ != 0 ? search_error_ : static_cast<std::int32_t>(banking_.LastError());
  }

  // The banks of a text search, each (blz, name, city, short name, postcode, BIC).
  std::vector<
      std::tuple<std::string, std::string, std::string, std::string, std::string, std::string>>
  Search(std::string_view text, std::int32_t fields) {
    quandor::Banking& b = get();
    std::vector<
        std::tuple<std::string, std::string, std::string, std::string, std::string, std::string>>
        banks;
    if (!b.SearchBankByText(text, fields)) return banks;
    do {
      banks.emplace_back(b.BankNumber(), b.BankName(), b.BankCity(), b.BankComplete(),
                         b.BankPostcode(), b.BankBIC());
    } while (b.NextFoundBank());
    // Back to the first bank, as after the search itself; the cursor's moves
    // reset LastError, so the search's outcome is kept here.
    b.FirstFoundBank();
    search_error_ = quandor::qdNoError;
    return banks;
  }

 private:
  quandor::Banking banking_;
  std::int32_t search_error_ = 0;
};

// IbanResult as (iban error, electronic form, blz, account, account error).
py::tuple IbanTuple(const quandor::IbanResult& r) {
  return py::make_tuple(static_cast<int>(r.nIbanError), r.sIban, r.sBankNumber, r.sAccountNumber,
                        static_cast<int>(r.nAccountError), r.ValidOrUncheckable());
}

}  // namespace
}  // namespace quandor_python

PYBIND11_MODULE(_quandor, m) {
  using namespace quandor_python;
  m.doc() = "Native part of the quandor package; use the package, not this module.";
  py::register_exception<quandor::MalformedRecordError>(m, "MalformedRecordError",
                                                        PyExc_ValueError);

  m.attr("ERRORS") = kErrors;
  m.attr("IBAN_ERRORS") = kIbanErrors;
  m.attr("STRICTNESS") = kStrictness;
  m.attr("RULES") = kRules;
  m.attr("SEARCH_FIELDS") = kSearchFields;
  m.attr("CARD_COMPANIES") = kCardCompanies;

  m.def(
      "error_text",
      [](std::int32_t code, std::string_view lang) {
        return quandor::GetErrorText(code, Language(lang));
      },
      py::arg("code"), py::arg("lang") = "de");
  m.def(
      "iban_error_text",
      [](std::int32_t code, std::string_view lang) {
        return quandor::GetIbanErrorText(code, Language(lang));
      },
      py::arg("code"), py::arg("lang") = "de");
  m.def("method_code", &quandor::TestingMethodCode, py::arg("method"));
  // The package's default differs from the objects': today's rules unless chosen otherwise.
  m.def("default_rules", [] { return quandor::GetDefaultRules(quandor::qdRulesCurrent); });
  m.def("data_path", &quandor::GetDataPath);
  m.def("pin_bank_file", [] { quandor_pin_bank_file(); });
  m.def("unpin_bank_file", [] {
    if (quandor_unpin_bank_file() != QUANDOR_OK) {
      throw py::value_error("unpin_bank_file: the calling thread holds no pin");
    }
  });
  m.def("version", [] { return quandor::Creditcard().Version(); });
  m.def("data_info", [] {
    const quandor::DataInfo info = quandor::GetDataInfo();
    auto day = [](const std::optional<std::chrono::year_month_day>& date) -> py::object {
      if (!date) return py::none();
      return py::make_tuple(static_cast<int>(date->year()), static_cast<unsigned>(date->month()),
                            static_cast<unsigned>(date->day()));
    };
    return py::make_tuple(info.path, info.found, info.bank_count, day(info.valid_from),
                          day(info.valid_until), static_cast<int>(info.state),
                          day(info.next_valid_from), quandor::EditionText(info),
                          quandor::StaleDataText(info));
  });

  m.def("check_iban", [](std::string_view iban) { return IbanTuple(quandor::CheckIban(iban)); });
  m.def("validate_iban", [](std::string_view iban, Banking& banking) {
    return IbanTuple(quandor::ValidateIban(iban, banking.get()));
  });
  m.def("make_iban", [](std::string_view blz, std::string_view account,
                        quandor_python::Banking& banking, bool force) {
    quandor::ValidateError error = quandor::qdNoError;
    std::string iban = quandor::MakeGermanIban(blz, account, banking.get(), &error, force);
    return py::make_tuple(std::move(iban), static_cast<int>(error));
  });
  m.def("format_iban", &quandor::FormatIban, py::arg("iban"));
  m.def("validate_many", &ValidateMany, py::arg("blzs"), py::arg("accounts"), py::arg("strictness"),
        py::arg("rules"), py::arg("with_city"), py::arg("with_bic"));

  using quandor_python::Banking;
  py::class_<Banking>(m, "Banking")
      .def(py::init<>())
      .def("reset", [](Banking& b) { b.get().Reset(); })
      .def("validate", [](Banking& b, std::string_view blz,
                          std::string_view account) { return b.get().Validate(blz, account); })
      .def("search_bank", [](Banking& b, std::string_view blz) { return b.get().searchBank(blz); })
      .def("search", &Banking::Search)
      .def_property(
          "strictness", [](const Banking& b) { return b.view().Strictness(); },
          [](Banking& b, std::int32_t value) { b.get().Strictness(value); })
      .def_property(
          "rules", [](const Banking& b) { return b.view().Rules(); },
          [](Banking& b, std::int32_t value) { b.get().Rules(value); })
      .def_property_readonly("last_error", &Banking::LastError)
      .def_property_readonly("validated", [](const Banking& b) { return b.view().Validated(); })
      .def_property_readonly("method",
                             [](const Banking& b) { return b.view().UsedTestingMethod(); })
      .def_property_readonly("bank_number", [](const Banking& b) { return b.view().BankNumber(); })
      .def_property_readonly("account_number",
                             [](const Banking& b) { return b.view().AccountNumber(); })
      .def_property_readonly("bank_name", [](const Banking& b) { return b.view().BankName(); })
      .def_property_readonly("bank_city", [](const Banking& b) { return b.view().BankCity(); })
      .def_property_readonly("bank_short_name",
                             [](const Banking& b) { return b.view().BankComplete(); })
      .def_property_readonly("bank_bic", [](const Banking& b) { return b.view().BankBIC(); })
      .def_property_readonly("bank_postcode",
                             [](const Banking& b) { return b.view().BankPostcode(); })
      .def_property_readonly("version", [](const Banking& b) { return b.view().Version(); })
      .def_property_readonly("copyright",
                             [](const Banking& b) { return b.view().CopyrightNotice(); });

  py::class_<quandor::Creditcard>(m, "Creditcard")
      .def(py::init<>())
      .def("reset", &quandor::Creditcard::Reset)
      .def("validate", &quandor::Creditcard::Validate)
      .def_property(
          "strictness", [](const quandor::Creditcard& c) { return c.Strictness(); },
          [](quandor::Creditcard& c, std::int32_t value) { c.Strictness(value); })
      .def_property(
          "rules", [](const quandor::Creditcard& c) { return c.Rules(); },
          [](quandor::Creditcard& c, std::int32_t value) { c.Rules(value); })
      .def_property_readonly(
          "last_error",
          [](const quandor::Creditcard& c) { return static_cast<int>(c.LastError()); })
      .def_property_readonly("validated", &quandor::Creditcard::Validated)
      .def_property_readonly("card_number", &quandor::Creditcard::CardNumber);
}
