// Creditcard: tests a card number against its company's number prefix and length.
//
//   quandor::Creditcard card;
//   card.Strictness(quandor::qdStrictnessNormal);
//   bool ok = card.Validate(quandor::ccVisa, "4111 1111 1111 1111");
//
// No check digit (Luhn) is computed. Failures are never thrown: they are
// recorded in LastError. Texts are UTF-8.
#ifndef QUANDOR_CREDITCARD_H_
#define QUANDOR_CREDITCARD_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "quandor/errors.h"
#include "quandor/export.h"

namespace quandor {

enum CardCompanies : int32_t {
  ccVisa = 0,
  ccMasterCard = 1,
  ccEuroCard = 2,
  ccAmericanExpress = 3,
  ccDinersClub = 4,
  ccDiscover = 5,
};

class QUANDOR_EXPORT Creditcard {
 public:
  Creditcard();  // Strictness qdStrictnessLow, reset state
  ~Creditcard();
  Creditcard(const Creditcard&) = delete;
  Creditcard& operator=(const Creditcard&) = delete;

  void Reset();
  void ShowInfo();

  const std::string& CompanyName() const;
  const std::string& CardNumber() const;
  CardCompanies CompanyNumber() const;
  ValidateError LastError() const;
  bool Validated() const;

  void Strictness(int32_t vNewValue);
  int32_t Strictness() const;

  std::string Version() const;
  std::string CopyrightNotice() const;
  std::string LastErrorString() const;

  bool Validate(int32_t nCompany, std::string_view sCardNr);

 private:
  std::string sCompanyNumber = "0";
  std::string sCompanyName;
  std::string sCardNumber;
  int32_t nStrictness = qdStrictnessLow;
  int32_t nLastError = qdNoValidation;
};

}  // namespace quandor

#endif  // QUANDOR_CREDITCARD_H_
