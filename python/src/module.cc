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

// The library's enumerations under the names the Python enums give them; the
// package's tests hold its enums against these.
const NamedValues kErrors = {
    {"NO_VALIDATION", quandor::qdNoValidation},
    {"NO_ERROR", quandor::qdNoError},
    {"WRONG_CHECK_DIGIT", quandor::qdWrongCheckDigit},
    {"BANK_NUMBER_MISSING", quandor::qdBankNumberMissing},
    {"ACCOUNT_NUMBER_MISSING", quandor::qdAccountNumberMissing},
    {"BANK_NUMBER_WRONG_DIGITS", quandor::qdBankNumberWrongDigits},
    {"ACCOUNT_NUMBER_WRONG_DIGITS", quandor::qdAccountNumberWrongDigits},
    {"BANK_NUMBER_UNKNOWN", quandor::qdBankNumberUnknown},
    {"TESTING_METHOD_UNKNOWN", quandor::qdTestingMethodUnknown},
    {"BANK_NUMBER_FILE_MISSING", quandor::qdBankNumberFileMissing},
    {"ACCOUNT_NUMBER_INCORRECT", quandor::qdAccountNumberIncorrectly},
    {"BANK_NUMBER_INCORRECT", quandor::qdBankNumberIncorrectly},
    {"CARD_WRONG_CHECK_DIGIT", quandor::qdCardWrongCheckDigit},
    {"CARD_COMPANY_MISSING", quandor::qdCardCompanyMissing},
    {"CARD_NUMBER_MISSING", quandor::qdCardNumberMissing},
    {"COMPANY_NUMBER_UNKNOWN", quandor::qdCompanyNumberUnknown},
    {"CARD_NUMBER_INCORRECT", quandor::qdCardNumberIncorrectly},
    {"NO_BANK_FOUND", quandor::qdNoBankFound},
    {"UNKNOWN_ERROR", quandor::qdUnknownError},
};
const NamedValues kIbanErrors = {
    {"OK", quandor::qdIbanOk},
    {"MISSING", quandor::qdIbanMissing},
    {"INCORRECT", quandor::qdIbanIncorrectly},
    {"COUNTRY_UNKNOWN", quandor::qdIbanCountryUnknown},
    {"WRONG_LENGTH", quandor::qdIbanWrongLength},
    {"WRONG_CHECK_DIGITS", quandor::qdIbanWrongCheckDigits},
};
const NamedValues kStrictness = {
    {"LOW", quandor::qdStrictnessLow},
    {"NORMAL", quandor::qdStrictnessNormal},
    {"STRICT", quandor::qdStrictnessStrict},
    {"RESTRICTIVE", quandor::qdStrictnessRestrictive},
};
const NamedValues kRules = {
    {"ORIGINAL", quandor::qdRulesOriginal},
    {"CURRENT", quandor::qdRulesCurrent},
};
const NamedValues kSearchFields = {
    {"ALL", quandor::qdSearchAll},
    {"BLZ", quandor::qdSearchBLZ},
    {"NAME", quandor::qdSearchName},
    {"CITY", quandor::qdSearchCity},
};
const NamedValues kCardCompanies = {
    {"VISA", quandor::ccVisa},
    {"MASTERCARD", quandor::ccMasterCard},
    {"EUROCARD", quandor::ccEuroCard},
    {"AMERICAN_EXPRESS", quandor::ccAmericanExpress},
    {"DINERS_CLUB", quandor::ccDinersClub},
    {"DISCOVER", quandor::ccDiscover},
};

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

  m.def("error_text", &quandor::GetErrorText, py::arg("code"));
  m.def("iban_error_text", &quandor::GetIbanErrorText, py::arg("code"));
  m.def("method_code", &quandor::TestingMethodCode, py::arg("method"));
  m.def("default_rules", &quandor::GetDefaultRules);
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
  m.def("make_iban", [](std::string_view blz, std::string_view account) {
    quandor::ValidateError error = quandor::qdNoError;
    std::string iban = quandor::MakeGermanIban(blz, account, &error);
    return py::make_tuple(std::move(iban), static_cast<int>(error));
  });
  m.def("format_iban", &quandor::FormatIban, py::arg("iban"));
  m.def("validate_many", &ValidateMany, py::arg("blzs"), py::arg("accounts"), py::arg("strictness"),
        py::arg("rules"));

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
