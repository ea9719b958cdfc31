/* Looks a bank up through the C interface of the installed library. */
#include <stdio.h>

#include <quandor/quandor.h>

int main(void) {
  quandor_object* banking = NULL;
  quandor_bool found = 0;
  char* name = NULL;
  int rc = 1;
  if (quandor_create_object("Quandor.Banking", &banking) != QUANDOR_OK) return 1;
  if (quandor_Banking_searchBank(banking, "10000000", &found) == QUANDOR_OK && found &&
      quandor_Banking_get_BankName(banking, &name) == QUANDOR_OK) {
    printf("C;%s\n", name);
    rc = 0;
  }
  quandor_free_string(name);
  quandor_release(banking, NULL);
  return rc;
}
