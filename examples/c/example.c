/* Validates a bank connection, builds its IBAN and checks that, and validates
 * a card number through the C interface of quandorlib. Build against the installed library:
 *
 *   cc -std=c99 example.c -lquandorlib -o example
 *   ./example 12030000 123456782
 *
 * Without arguments it checks the account 123456782 at bank 12030000. The
 * bank code file is found as by every host: QUANDOR_DATA_DIR, the setting,
 * or beside the library. Exits with 0 when every call of the interface
 * succeeded (whatever the verdicts), 1 otherwise. */
#include <stdio.h>
#include <stdlib.h>

#include "quandor/quandor.h"

/* Prints the library's message for a failed call and tells whether it failed. */
static int failed(quandor_status status, const char* what) {
  char* message = NULL;
  if (status == QUANDOR_OK) return 0;
  quandor_get_last_error_message(&message);
  fprintf(stderr, "%s failed (%d): %s\n", what, (int)status, message ? message : "");
  quandor_free_string(message);
  return 1;
}

/* Prints a text result and frees it. */
static void print_text(const char* label, char* text) {
  printf("%s: %s\n", label, text ? text : "");
  quandor_free_string(text);
}

static int check_account(const char* bank_code, const char* account) {
  quandor_object* banking = NULL;
  quandor_bool valid = QUANDOR_FALSE;
  char* text = NULL;
  int32_t error = 0;
  int errors = 0;

  if (failed(quandor_create_object("Quandor.Banking", &banking), "create Quandor.Banking")) {
    return 1;
  }
  errors += failed(quandor_Banking_Validate(banking, bank_code, account, &valid), "Validate");
  errors += failed(quandor_Banking_get_LastError(banking, &error), "LastError");
  printf("Konto %s bei %s: %s (LastError %d)\n", account, bank_code,
         valid == QUANDOR_TRUE ? "gültig" : "ungültig", (int)error);
  if (!failed(quandor_Banking_get_LastErrorString(banking, &text), "LastErrorString")) {
    print_text("Meldung", text);
  } else {
    ++errors;
  }
  if (!failed(quandor_Banking_get_BankName(banking, &text), "BankName")) {
    print_text("Bank", text);
  } else {
    ++errors;
  }
  errors += failed(quandor_release(banking, NULL), "release");
  return errors != 0;
}

/* Builds the IBAN of the bank connection and checks it, with its embedded
 * bank connection, by a Banking object. */
static int check_iban(const char* bank_code, const char* account) {
  quandor_object* banking = NULL;
  quandor_iban_result result = {0, 0, 0, NULL, NULL, NULL};
  char* iban = NULL;
  char* text = NULL;
  int32_t error = 0;
  int errors = 0;

  if (failed(quandor_iban_make(bank_code, account, &iban, &error), "iban_make")) return 1;
  if (error != quandor_qdNoError) {
    printf("Keine IBAN aus %s / %s (Fehler %d)\n", bank_code, account, (int)error);
    quandor_free_string(iban);
    return 0;
  }
  if (!failed(quandor_iban_format(iban, &text), "iban_format")) {
    print_text("IBAN", text);
  } else {
    ++errors;
  }
  if (failed(quandor_create_object("Quandor.Banking", &banking), "create Quandor.Banking")) {
    quandor_free_string(iban);
    return 1;
  }
  if (failed(quandor_iban_validate(banking, iban, &result), "iban_validate")) {
    ++errors;
  } else {
    printf("IBAN %s: %s (IBAN-Fehler %d, Kontofehler %d)\n", result.iban,
           result.valid == QUANDOR_TRUE ? "gültig" : "ungültig", (int)result.iban_error,
           (int)result.account_error);
    if (!failed(quandor_iban_error_text(result.iban_error, &text), "iban_error_text")) {
      print_text("IBAN-Meldung", text);
    } else {
      ++errors;
    }
    quandor_free_iban_result(&result);
  }
  quandor_free_string(iban);
  errors += failed(quandor_release(banking, NULL), "release");
  return errors != 0;
}

static int check_card(void) {
  quandor_object* card = NULL;
  quandor_bool valid = QUANDOR_FALSE;
  char* number = NULL;
  int errors = 0;

  if (failed(quandor_create_object("Quandor.Creditcard", &card), "create Quandor.Creditcard")) {
    return 1;
  }
  errors +=
      failed(quandor_Creditcard_put_Strictness(card, quandor_qdStrictnessNormal), "put_Strictness");
  errors += failed(quandor_Creditcard_Validate(card, quandor_ccVisa, "4111 1111 1111 1111", &valid),
                   "Creditcard Validate");
  if (!failed(quandor_Creditcard_get_CardNumber(card, &number), "CardNumber")) {
    printf("Visa %s: %s\n", number, valid == QUANDOR_TRUE ? "gültig" : "ungültig");
    quandor_free_string(number);
  } else {
    ++errors;
  }
  errors += failed(quandor_release(card, NULL), "release");
  return errors != 0;
}

int main(int argc, char** argv) {
  const char* bank_code = argc > 2 ? argv[1] : "12030000";
  const char* account = argc > 2 ? argv[2] : "123456782";
  quandor_bool can_unload = QUANDOR_FALSE;
  int errors = check_account(bank_code, account) + check_iban(bank_code, account) + check_card();

  errors += failed(quandor_can_unload_now(&can_unload), "can_unload_now");
  if (can_unload != QUANDOR_TRUE) {
    fprintf(stderr, "objects still alive after their release\n");
    ++errors;
  }
  return errors == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
