/* The component's codes, each defined here once: the C++ enumerations
 * (quandor/errors.h, creditcard.h, iban.h), the C enumerations
 * (quandor/quandor.h), the message tables and the Python enums are all made
 * from these lists. Values and names are part of the interface.
 *
 * Each list is an X-macro: QUANDOR_ERRORS(X) expands X(name, value,
 * python_name, german_text, english_text) once per code; the lists without
 * texts expand X(name, value, python_name). The German texts are the
 * component's messages as hosts have always shown them.
 */
#ifndef QUANDOR_CODES_H_
#define QUANDOR_CODES_H_

/* ValidateError: outcome of the last operation of an object. */
#define QUANDOR_ERRORS(X)                                                                          \
  /* nothing checked since creation or Reset */                                                    \
  X(qdNoValidation, 0, NO_VALIDATION, "Keine Prüfung durchgeführt", "No check done")               \
  /* the last operation succeeded */                                                               \
  X(qdNoError, 1, NO_ERROR, "Kein Fehler", "No error")                                             \
  /* account number fails the bank's check digit method */                                         \
  X(qdWrongCheckDigit, 2, WRONG_CHECK_DIGIT, "Kontonummer ist falsch", "Account number is wrong")  \
  /* bank code empty, blank or without digits */                                                   \
  X(qdBankNumberMissing, 3, BANK_NUMBER_MISSING, "Bankleitzahl fehlt", "Bank code missing")        \
  /* account number empty, blank or without digits */                                              \
  X(qdAccountNumberMissing, 4, ACCOUNT_NUMBER_MISSING, "Kontonummer fehlt",                        \
    "Account number missing")                                                                      \
  /* bank code has not exactly eight digits */                                                     \
  X(qdBankNumberWrongDigits, 5, BANK_NUMBER_WRONG_DIGITS,                                          \
    "Bankleitzahl hat falsche Anzahl Stellen", "Bank code has the wrong number of digits")         \
  /* account number has more than ten digits */                                                    \
  X(qdAccountNumberWrongDigits, 6, ACCOUNT_NUMBER_WRONG_DIGITS,                                    \
    "Kontonummer hat falsche Anzahl Stellen", "Account number has the wrong number of digits")     \
  /* bank code not in the bank code file */                                                        \
  X(qdBankNumberUnknown, 7, BANK_NUMBER_UNKNOWN, "Bankleitzahl nicht bekannt",                     \
    "Bank code unknown")                                                                           \
  /* no check method for the bank's method number */                                               \
  X(qdTestingMethodUnknown, 8, TESTING_METHOD_UNKNOWN, "Keine Prüfmethode hinterlegt",             \
    "No check method on record")                                                                   \
  /* bank code file cannot be opened */                                                            \
  X(qdBankNumberFileMissing, 9, BANK_NUMBER_FILE_MISSING, "Bankleitzahlendatei nicht gefunden",    \
    "Bank code file not found")                                                                    \
  /* account number has a forbidden character */                                                   \
  X(qdAccountNumberIncorrectly, 10, ACCOUNT_NUMBER_INCORRECT, "Kontonummer hat falsches Format",   \
    "Account number has the wrong format")                                                         \
  /* bank code has a forbidden character */                                                        \
  X(qdBankNumberIncorrectly, 11, BANK_NUMBER_INCORRECT, "Bankleitzahl hat falsches Format",        \
    "Bank code has the wrong format")                                                              \
  /* card number fails its company's prefix or length rule */                                      \
  X(qdCardWrongCheckDigit, 102, CARD_WRONG_CHECK_DIGIT, "Kreditkartennummer ist falsch",           \
    "Credit card number is wrong")                                                                 \
  /* reserved; never recorded */                                                                   \
  X(qdCardCompanyMissing, 103, CARD_COMPANY_MISSING, "Kein Kreditkarteninstitut angegeben",        \
    "No credit card company given")                                                                \
  /* reserved; never recorded */                                                                   \
  X(qdCardNumberMissing, 104, CARD_NUMBER_MISSING, "Keine Kreditkartennummer angegeben",           \
    "No credit card number given")                                                                 \
  /* card company outside 0 to 5 */                                                                \
  X(qdCompanyNumberUnknown, 107, COMPANY_NUMBER_UNKNOWN, "Unbekanntes Kreditkarteninstitut",       \
    "Unknown credit card company")                                                                 \
  /* card number has a forbidden character */                                                      \
  X(qdCardNumberIncorrectly, 110, CARD_NUMBER_INCORRECT, "Kreditkartennummer hat falsches Format", \
    "Credit card number has the wrong format")                                                     \
  /* a text search found nothing */                                                                \
  X(qdNoBankFound, 200, NO_BANK_FOUND, "Keine Bank gefunden", "No bank found")                     \
  /* an unexpected failure inside an operation */                                                  \
  X(qdUnknownError, 255, UNKNOWN_ERROR, "Unbekannter Fehler", "Unknown error")

/* IbanError: verdict on the form and the check digits of an IBAN. */
#define QUANDOR_IBAN_ERRORS(X)                                                                \
  /* form and check digits are right */                                                       \
  X(qdIbanOk, 0, OK, "Kein Fehler", "No error")                                               \
  /* empty or only blanks */                                                                  \
  X(qdIbanMissing, 1, MISSING, "IBAN fehlt", "IBAN missing")                                  \
  /* a character that does not belong where it stands */                                      \
  X(qdIbanIncorrectly, 2, INCORRECT, "IBAN hat falsches Format", "IBAN has the wrong format") \
  /* the first two letters name no known country */                                           \
  X(qdIbanCountryUnknown, 3, COUNTRY_UNKNOWN, "Länderkennzeichen der IBAN nicht bekannt",     \
    "IBAN country code unknown")                                                              \
  /* not the registry length of its country */                                                \
  X(qdIbanWrongLength, 4, WRONG_LENGTH, "IBAN hat falsche Anzahl Stellen",                    \
    "IBAN has the wrong number of characters")                                                \
  /* characters 3 and 4 do not fit the rest */                                                \
  X(qdIbanWrongCheckDigits, 5, WRONG_CHECK_DIGITS, "IBAN-Prüfziffer ist falsch",              \
    "IBAN check digits are wrong")

/* ValidateStrictness: how tolerant the input checks are of characters other than digits. */
#define QUANDOR_STRICTNESS(X)      \
  X(qdStrictnessLow, 0, LOW)       \
  X(qdStrictnessNormal, 1, NORMAL) \
  X(qdStrictnessStrict, 2, STRICT) \
  X(qdStrictnessRestrictive, 3, RESTRICTIVE)

/* ValidateRules: the check methods and card rules an object applies. */
#define QUANDOR_RULES(X)          \
  X(qdRulesOriginal, 0, ORIGINAL) \
  X(qdRulesCurrent, 1, CURRENT)

/* ValidateSearchOption: fields of a text search; flags may be added together. */
#define QUANDOR_SEARCH_FIELDS(X) \
  X(qdSearchAll, 0, ALL)         \
  X(qdSearchBLZ, 1, BLZ)         \
  X(qdSearchName, 2, NAME)       \
  X(qdSearchCity, 4, CITY)

/* CardCompanies: the card companies whose number rules Creditcard knows. */
#define QUANDOR_CARD_COMPANIES(X)           \
  X(ccVisa, 0, VISA)                        \
  X(ccMasterCard, 1, MASTERCARD)            \
  X(ccEuroCard, 2, EUROCARD)                \
  X(ccAmericanExpress, 3, AMERICAN_EXPRESS) \
  X(ccDinersClub, 4, DINERS_CLUB)           \
  X(ccDiscover, 5, DISCOVER)

/* Enumerator makers for the lists above, C++ and C. */
#define QUANDOR_CPP_ENUMERATOR(name, value, ...) name = value,
#define QUANDOR_C_ENUMERATOR(name, value, ...) quandor_##name = value,

#endif /* QUANDOR_CODES_H_ */
