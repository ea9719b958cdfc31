// What the tool tells of the bank code file it answers from: its place, its
// edition and whether that is out of date (quandor/data_info.h).
#ifndef QUANDOR_CHECK_DATA_EDITION_H_
#define QUANDOR_CHECK_DATA_EDITION_H_

#include <cstdio>

#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"
#include "quandor/data_info.h"

namespace quandor_check {

// The lines of 'quandor-check data', also shown by --version.
void PrintDataInfo(const quandor::DataInfo& info, std::FILE* to);

// Prints one warning line on standard error when the edition of the bank
// code file answering now is past its last day; at most once a run. The exit
// status does not depend on it.
void WarnIfStale();

// What a command that answers from the bank code file holds for its whole
// run: the files pinned as they are at its start, so that every row answers
// from one version, and a Banking object made under that pin. Making it warns
// of a stale edition (WarnIfStale).
struct PinnedRun {
  PinnedRun() { WarnIfStale(); }
  const quandor::BankFilePin pin;  // first: the object is made under it
  quandor::Banking banking;
};

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_DATA_EDITION_H_
