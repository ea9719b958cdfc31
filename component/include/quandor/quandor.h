/* C interface of quandorlib: creates Banking and Creditcard objects by class
 * name and calls their members, for hosts written in C or in any language with
 * a C foreign-function interface (Python ctypes, ...).
 *
 *   quandor_object* banking = NULL;
 *   quandor_bool ok = 0;
 *   char* message = NULL;
 *   if (quandor_create_object("Quandor.Banking", &banking) == QUANDOR_OK) {
 *     quandor_Banking_Validate(banking, "12030000", "123456782", &ok);
 *     quandor_Banking_get_LastErrorString(banking, &message);
 *     puts(message);                        (prints "Kein Fehler")
 *     quandor_free_string(message);
 *     quandor_release(banking, NULL);
 *   }
 *
 * Objects. quandor_create_object makes an object of a class named
 * "Quandor.Banking" or "Quandor.Creditcard" (library name "Quandor"; the
 * name is compared without regard to ASCII case) with a reference count of 1.
 * quandor_add_ref adds a reference, quandor_release drops one; the object is
 * destroyed with its last reference, and its handle is invalid from then on,
 * for good: a handle is a token that names one object, not its address, and
 * no later object ever gets a released handle back. Every function checks its
 * handle against the live objects of the library, so a null, stale or foreign
 * handle yields QUANDOR_E_INVALID_HANDLE instead of undefined behaviour, and a
 * handle of the other class QUANDOR_E_WRONG_CLASS.
 * quandor_can_unload_now tells whether no object is alive any more.
 *
 * Members. There is one function per member of each class, declared below in
 * the order of the class's interface slots and named
 * quandor_<Class>_<Member>; a readable property is get_<Member>, a writable
 * one put_<Member>. The behaviour is that of the C++ classes in
 * quandor/banking.h and quandor/creditcard.h.
 *
 * Results. Every function returns a quandor_status: QUANDOR_OK (0) on
 * success, a negative QUANDOR_E_* code on failure. The member's own result
 * goes to the last parameter, an out pointer that must not be null; on failure
 * it is set to NULL, 0 or false. An ordinary failure of an operation (bad
 * input, unknown bank code, ...) is no failure of the call: the call returns
 * QUANDOR_OK and the object records the reason in LastError, as in C++. A
 * failure that the C++ member raises (a malformed record met by the text
 * search, lack of memory) is returned as QUANDOR_E_EXCEPTION or
 * QUANDOR_E_OUT_OF_MEMORY; no C++ exception ever leaves this interface.
 * quandor_get_last_error_message gives the message of the thread's last
 * failed call.
 *
 * Booleans are quandor_bool: -1 for true and 0 for false, as object hosts
 * expect them.
 *
 * Texts are UTF-8 and NUL-terminated both ways. A text parameter must not be
 * null (QUANDOR_E_INVALID_ARG). Every text result, messages included, is
 * valid UTF-8: where it would carry bytes that are not (an input echoed at
 * strictness Low), each ill-formed sequence is replaced by U+FFFD. A text
 * result is a copy allocated by the library that the caller owns and frees
 * with quandor_free_string; a list of texts is a NULL-terminated array, freed
 * as a whole with quandor_free_string_list, and the texts of an IBAN result
 * with quandor_free_iban_result. The free functions are the only ones without
 * a status, and accept NULL.
 *
 * Threads. An object belongs to the thread that created it and its calls must
 * not overlap, as in C++; creation, reference counting and the handle checks
 * are safe from any thread. Last-error messages are kept per thread.
 *
 * IBANs. The quandor_iban_* functions at the end are free functions, not
 * members: they keep no state, except that quandor_iban_validate checks the
 * bank connection of a German IBAN with a Banking object (quandor/iban.h).
 *
 * Registration. The library needs no registration entry points (no
 * DllRegisterServer, DllUnregisterServer, DllGetClassObject or
 * DllCanUnloadNow): this platform has no system-wide class registry. A host
 * loads libquandorlib.so by path (dlopen, ctypes.CDLL) or links against it,
 * and quandor_create_object is the class factory; quandor_can_unload_now
 * answers the question the unload entry point would.
 */
#ifndef QUANDOR_QUANDOR_H_
#define QUANDOR_QUANDOR_H_

#include <stddef.h>
#include <stdint.h>

#include "quandor/codes.def"
#include "quandor/export.h"

/* No function of this interface throws; C++ hosts may rely on it. */
#ifdef __cplusplus
#define QUANDOR_NOEXCEPT noexcept
#else
#define QUANDOR_NOEXCEPT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Results, Booleans, handles ---------------------------------------- */

typedef int32_t quandor_status;

#define QUANDOR_OK 0
/* A null out pointer or text parameter. */
#define QUANDOR_E_INVALID_ARG (-1)
/* A null handle, or one that names no live object (released, or never made). */
#define QUANDOR_E_INVALID_HANDLE (-2)
/* A handle of the other class than the function's. */
#define QUANDOR_E_WRONG_CLASS (-3)
/* quandor_create_object does not know the class name. */
#define QUANDOR_E_CLASS_NOT_AVAILABLE (-4)
#define QUANDOR_E_OUT_OF_MEMORY (-5)
/* The member failed with an error that the C++ interface raises; see the message. */
#define QUANDOR_E_EXCEPTION (-6)

typedef int16_t quandor_bool;
#define QUANDOR_TRUE ((quandor_bool)-1)
#define QUANDOR_FALSE ((quandor_bool)0)

/* An object of either class; an opaque handle, not an address. */
typedef struct quandor_object quandor_object;

/* ---- Enumerations (the codes of quandor/codes.def, prefixed quandor_) ---- */

/* ValidateError: outcome of an object's last operation (get_LastError). */
enum { QUANDOR_ERRORS(QUANDOR_C_ENUMERATOR) };

/* ValidateStrictness (put_Strictness, get_Strictness). */
enum { QUANDOR_STRICTNESS(QUANDOR_C_ENUMERATOR) };

/* ValidateRules (put_Rules, get_Rules): the set of check methods Validate applies. */
enum { QUANDOR_RULES(QUANDOR_C_ENUMERATOR) };

/* ValidateSearchOption (SearchBankByText); flags may be added together. */
enum { QUANDOR_SEARCH_FIELDS(QUANDOR_C_ENUMERATOR) };

/* CardCompanies (Creditcard Validate, get_CompanyNumber). */
enum { QUANDOR_CARD_COMPANIES(QUANDOR_C_ENUMERATOR) };

/* ---- Class factory, reference counting, library ------------------------ */

/* Creates an object of class_name ("Quandor.Banking" or "Quandor.Creditcard")
 * with one reference, owned by the caller. A Banking object takes the bank
 * data like the C++ constructor. */
QUANDOR_EXPORT quandor_status quandor_create_object(const char* class_name,
                                                    quandor_object** object) QUANDOR_NOEXCEPT;

/* Adds a reference. new_count, when not null, receives the new count. */
QUANDOR_EXPORT quandor_status quandor_add_ref(quandor_object* object,
                                              uint32_t* new_count) QUANDOR_NOEXCEPT;

/* Drops a reference and destroys the object with the last one. new_count,
 * when not null, receives the remaining count (0: the handle is now invalid). */
QUANDOR_EXPORT quandor_status quandor_release(quandor_object* object,
                                              uint32_t* new_count) QUANDOR_NOEXCEPT;

/* QUANDOR_TRUE when no object of the library is alive, so a host may unload it. */
QUANDOR_EXPORT quandor_status quandor_can_unload_now(quandor_bool* can_unload) QUANDOR_NOEXCEPT;

/* The message of the calling thread's last failed call, "" when the last call
 * succeeded. Leaves the message in place. */
QUANDOR_EXPORT quandor_status quandor_get_last_error_message(char** message) QUANDOR_NOEXCEPT;

/* Frees a text result. */
QUANDOR_EXPORT void quandor_free_string(char* text) QUANDOR_NOEXCEPT;

/* Frees a list of texts with all its texts. */
QUANDOR_EXPORT void quandor_free_string_list(char** list) QUANDOR_NOEXCEPT;

/* ---- Pinning the bank code file (quandor/bank_file_pin.h) -------------- */

/* Pins the calling thread to the data path, settings and bank code file as
 * they are now: until the matching quandor_unpin_bank_file, the thread's
 * lookups, checks and searches answer from that version without any
 * file-system call. Pins nest; each needs its own unpin on the same thread. */
QUANDOR_EXPORT quandor_status quandor_pin_bank_file(void) QUANDOR_NOEXCEPT;

/* Ends one pin that quandor_pin_bank_file made on the calling thread;
 * QUANDOR_E_INVALID_ARG when it holds none. */
QUANDOR_EXPORT quandor_status quandor_unpin_bank_file(void) QUANDOR_NOEXCEPT;

/* ---- Banking, in slot order --------------------------------------------- */

QUANDOR_EXPORT quandor_status quandor_Banking_Reset(quandor_object* banking) QUANDOR_NOEXCEPT;
/* Shows the info box and returns when it is closed; at once without a display. */
QUANDOR_EXPORT quandor_status quandor_Banking_ShowInfo(quandor_object* banking) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_BankName(quandor_object* banking,
                                                           char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_BankCity(quandor_object* banking,
                                                           char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_AccountNumber(quandor_object* banking,
                                                                char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_BankNumber(quandor_object* banking,
                                                             char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_BankComplete(quandor_object* banking,
                                                               char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_LastError(quandor_object* banking,
                                                            int32_t* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_Validated(quandor_object* banking,
                                                            quandor_bool* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status
quandor_Banking_get_UsedTestingMethod(quandor_object* banking, int16_t* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_put_Strictness(quandor_object* banking,
                                                             int32_t vNewValue) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_Strictness(quandor_object* banking,
                                                             int32_t* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_Version(quandor_object* banking,
                                                          char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_CopyrightNotice(quandor_object* banking,
                                                                  char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_LastErrorString(quandor_object* banking,
                                                                  char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_Validate(quandor_object* banking, const char* sBLZ,
                                                       const char* sKontoNr,
                                                       quandor_bool* result) QUANDOR_NOEXCEPT;
/* Other hosts may omit SearchOption; pass quandor_qdSearchAll for their default.
 * May fail with QUANDOR_E_EXCEPTION (a malformed record among the banks found). */
QUANDOR_EXPORT quandor_status
quandor_Banking_SearchBankByText(quandor_object* banking, const char* sTest, int32_t SearchOption,
                                 quandor_bool* result) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_IsBankFound(quandor_object* banking,
                                                              quandor_bool* value) QUANDOR_NOEXCEPT;
/* Both may fail with QUANDOR_E_EXCEPTION like SearchBankByText. */
QUANDOR_EXPORT quandor_status quandor_Banking_FirstFoundBank(quandor_object* banking,
                                                             quandor_bool* result) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_NextFoundBank(quandor_object* banking,
                                                            quandor_bool* result) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_AmountFoundBanks(quandor_object* banking,
                                                                   int32_t* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_searchBank(quandor_object* banking, const char* sBLZ,
                                                         quandor_bool* result) QUANDOR_NOEXCEPT;
/* The text fields of the record of bank code sBLZ: *fields receives a
 * NULL-terminated list (free it with quandor_free_string_list) and *count,
 * when count is not null, its length. When the bank is not found (the empty
 * result of other hosts) the call still succeeds, with *fields NULL and
 * *count 0. */
QUANDOR_EXPORT quandor_status quandor_Banking_SearchBankInfo(quandor_object* banking,
                                                             const char* sBLZ, char*** fields,
                                                             size_t* count) QUANDOR_NOEXCEPT;
/* Added after the first slots: Rules as in C++, any value stored as given;
 * values other than quandor_qdRulesCurrent behave as quandor_qdRulesOriginal.
 * A new object starts with the library's default rules (GetDefaultRules in
 * quandor/banking.h). */
QUANDOR_EXPORT quandor_status quandor_Banking_put_Rules(quandor_object* banking,
                                                        int32_t vNewValue) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_Rules(quandor_object* banking,
                                                        int32_t* value) QUANDOR_NOEXCEPT;
/* Added after the first slots: the postcode and BIC of the bank of the last
 * operation (fields 6 and 7 of its record); "" when the record has none. */
QUANDOR_EXPORT quandor_status quandor_Banking_get_BankPostcode(quandor_object* banking,
                                                               char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Banking_get_BankBIC(quandor_object* banking,
                                                          char** value) QUANDOR_NOEXCEPT;

/* ---- Creditcard, in slot order ------------------------------------------ */

QUANDOR_EXPORT quandor_status quandor_Creditcard_Reset(quandor_object* card) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_ShowInfo(quandor_object* card) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_CompanyName(quandor_object* card,
                                                                 char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_CardNumber(quandor_object* card,
                                                                char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_CompanyNumber(quandor_object* card,
                                                                   int32_t* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_LastError(quandor_object* card,
                                                               int32_t* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status
quandor_Creditcard_get_Validated(quandor_object* card, quandor_bool* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_put_Strictness(quandor_object* card,
                                                                int32_t vNewValue) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_Strictness(quandor_object* card,
                                                                int32_t* value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_Version(quandor_object* card,
                                                             char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_CopyrightNotice(quandor_object* card,
                                                                     char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_LastErrorString(quandor_object* card,
                                                                     char** value) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_Validate(quandor_object* card, int32_t nCompany,
                                                          const char* sCardNr,
                                                          quandor_bool* result) QUANDOR_NOEXCEPT;
/* Added after the first slots: Rules as in C++ (quandor_qdRulesCurrent adds
 * the Luhn check and today's ranges), stored as given; a new object starts
 * with the library's default rules. */
QUANDOR_EXPORT quandor_status quandor_Creditcard_put_Rules(quandor_object* card,
                                                           int32_t vNewValue) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_Creditcard_get_Rules(quandor_object* card,
                                                           int32_t* value) QUANDOR_NOEXCEPT;

/* ---- IBANs (quandor/iban.h) ---------------------------------------------- */

/* IbanError: verdict on the form and the check digits of an IBAN. */
enum { QUANDOR_IBAN_ERRORS(QUANDOR_C_ENUMERATOR) };

/* Outcome of quandor_iban_check and quandor_iban_validate. On success all
 * three texts are set ("" where there is nothing to tell) and owned by the
 * caller, who frees them with quandor_free_iban_result; on failure the whole
 * struct is zero. The calls overwrite the struct without freeing what it
 * held. */
typedef struct quandor_iban_result {
  /* quandor_qdIban*: form and check digits. */
  int32_t iban_error;
  /* ValidateError of the embedded bank connection (quandor_qdNoError when it
   * passed); quandor_qdNoValidation when it was not checked: by
   * quandor_iban_check, for another country, or when iban_error is not
   * quandor_qdIbanOk. */
  int32_t account_error;
  /* QUANDOR_TRUE when the IBAN is right and so is its bank connection where
   * one was checked; a bank without a check method in the chosen rules
   * (account_error quandor_qdTestingMethodUnknown) does not make it wrong. */
  quandor_bool valid;
  /* The IBAN in electronic form (no blanks, upper case); "" when the input
   * holds other characters than letters, digits and blanks. */
  char* iban;
  /* For a German IBAN with right form and check digits, the bank code (8
   * digits) and the account number (10 digits, leading zeros); "" otherwise. */
  char* bank_number;
  char* account_number;
} quandor_iban_result;

/* Frees the texts of an IBAN result and sets them to NULL; the struct itself
 * is the caller's. Accepts NULL and a zero struct. */
QUANDOR_EXPORT void quandor_free_iban_result(quandor_iban_result* result) QUANDOR_NOEXCEPT;

/* Checks the form and check digits of an IBAN of any country of the IBAN registry,
 * with or without blanks, in any case. The bank connection of a German IBAN is
 * split out but not checked. A wrong IBAN is a verdict, not a failed call. */
QUANDOR_EXPORT quandor_status quandor_iban_check(const char* iban,
                                                 quandor_iban_result* result) QUANDOR_NOEXCEPT;

/* quandor_iban_check, and for a German IBAN with right form and check digits
 * also the bank connection, by quandor_Banking_Validate on banking (its
 * Strictness and Rules apply, and it keeps the state Validate leaves: bank
 * name, LastError, ...). */
QUANDOR_EXPORT quandor_status quandor_iban_validate(quandor_object* banking, const char* iban,
                                                    quandor_iban_result* result) QUANDOR_NOEXCEPT;

/* Builds the German IBAN, in electronic form, of bank code blz (eight digits,
 * blanks allowed) and account (one to ten digits; blanks, "/" and "-"
 * allowed), only for a bank connection that quandor_Banking_Validate accepts
 * under the component's default rules: an unknown bank code or an account
 * that fails its check is refused. *error receives quandor_qdNoError, or the
 * reason of the refusal (quandor_qdBankNumberMissing, ...,
 * quandor_qdAccountNumberIncorrectly for the digits, quandor_qdBankNumberUnknown,
 * quandor_qdWrongCheckDigit, quandor_qdBankNumberFileMissing ...) with *iban "".
 * A bank without a check method gets its IBAN, with *error
 * quandor_qdTestingMethodUnknown as a note. Banks' own IBAN rules are not applied. */
QUANDOR_EXPORT quandor_status quandor_iban_make(const char* blz, const char* account, char** iban,
                                                int32_t* error) QUANDOR_NOEXCEPT;

/* quandor_iban_make that checks only the digits, whether or not the bank
 * exists and the account passes its method. */
QUANDOR_EXPORT quandor_status quandor_iban_make_forced(const char* blz, const char* account,
                                                       char** iban,
                                                       int32_t* error) QUANDOR_NOEXCEPT;

/* The paper form of an IBAN, in groups of four ("DE89 3704 0044 0532 0130 00");
 * an input with characters other than letters, digits and blanks comes back
 * as given. */
QUANDOR_EXPORT quandor_status quandor_iban_format(const char* iban,
                                                  char** formatted) QUANDOR_NOEXCEPT;

/* The German message of a quandor_qdIban* code ("Kein Fehler" for
 * quandor_qdIbanOk); "" for any other value. */
QUANDOR_EXPORT quandor_status quandor_iban_error_text(int32_t code, char** text) QUANDOR_NOEXCEPT;

/* ---- Messages in a chosen language -------------------------------------- */

/* The message of a ValidateError code (as get_LastErrorString gives it) and
 * of a quandor_qdIban* code, in the language lang: "de" for German, the
 * component's own texts, or "en" for English. "" for a value that is no code;
 * QUANDOR_E_INVALID_ARG for any other language. */
QUANDOR_EXPORT quandor_status quandor_error_text_lang(int32_t code, const char* lang,
                                                      char** text) QUANDOR_NOEXCEPT;
QUANDOR_EXPORT quandor_status quandor_iban_error_text_lang(int32_t code, const char* lang,
                                                           char** text) QUANDOR_NOEXCEPT;

/* ---- The bank code file and its edition (quandor/data_info.h) ----------- */

/* Whether the edition of the bank code file is still in force. */
enum {
  quandor_qdEditionCurrent = 0,
  quandor_qdEditionExpired = 1, /* past its last day, or 100 days old where it names none */
  quandor_qdEditionUnknown = 2  /* no edition recorded for the file */
};

/* The bank code file that the calling thread's lookups answer from now. On
 * success every text is set ("" where there is nothing to tell) and owned by
 * the caller, who frees them with quandor_free_data_info; on failure the
 * whole struct is zero. */
typedef struct quandor_data_info {
  char* path;            /* the file's full name; "" when the settings file is refused */
  quandor_bool found;    /* whether it could be read */
  int32_t bank_count;    /* its records */
  char* valid_from;      /* first day of its edition, "YYYY-MM-DD"; "" when unknown */
  char* valid_until;     /* last day, where named */
  int32_t edition_state; /* quandor_qdEdition* */
  char* next_valid_from; /* first day of a next edition waiting beside it */
  char* edition_text;    /* "edition 2026-06-08 to 2026-09-06", "edition unknown" */
  char* stale_text;      /* for an expired edition why, else "" */
} quandor_data_info;

QUANDOR_EXPORT quandor_status quandor_get_data_info(quandor_data_info* info) QUANDOR_NOEXCEPT;

/* Frees the texts of a data info and sets them to NULL. Accepts NULL. */
QUANDOR_EXPORT void quandor_free_data_info(quandor_data_info* info) QUANDOR_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* QUANDOR_QUANDOR_H_ */
