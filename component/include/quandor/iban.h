// IBAN checks beside Banking. Not built yet.
#ifndef QUANDOR_IBAN_H_
#define QUANDOR_IBAN_H_
#endif  // QUANDOR_IBAN_H_
