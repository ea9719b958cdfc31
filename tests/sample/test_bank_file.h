// A small bank code file for the window tests, written where the component
// looks for it (QUANDOR_DATA_DIR).
#ifndef QUANDOR_TESTS_SAMPLE_TEST_BANK_FILE_H_
#define QUANDOR_TESTS_SAMPLE_TEST_BANK_FILE_H_

namespace sample_test {

// Writes blz.txt into the directory named by QUANDOR_DATA_DIR; false on failure.
bool WriteTestBankFile();

}  // namespace sample_test

#endif  // QUANDOR_TESTS_SAMPLE_TEST_BANK_FILE_H_
