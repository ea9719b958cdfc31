// Looks a bank up in the bank code file that came with the library, and checks an IBAN.
#include <iostream>

#include <quandor/banking.h>
#include <quandor/iban.h>

int main() {
  quandor::Banking banking;
  if (!banking.searchBank("100 000 00")) {
    std::cerr << "searchBank: " << banking.LastErrorString() << '\n';
    return 1;
  }
  std::cout << banking.BankNumber() << ';' << banking.BankName() << ';' << banking.BankCity()
            << '\n';
  const quandor::IbanResult iban = quandor::CheckIban("DE89 3704 0044 0532 0130 00");
  std::cout << iban.sIban << ';' << quandor::GetIbanErrorText(iban.nIbanError) << '\n';
  return iban.IbanOk() ? 0 : 1;
}
