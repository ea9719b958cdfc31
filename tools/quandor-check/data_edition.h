// What the tool tells of the bank code file it answers from: its place, its
// edition and whether that is out of date (quandor/data_info.h).
#ifndef QUANDOR_CHECK_DATA_EDITION_H_
#define QUANDOR_CHECK_DATA_EDITION_H_

#include <cstdio>

#include "quandor/data_info.h"

namespace quandor_check {

// The lines of 'quandor-check data', also shown by --version.
void PrintDataInfo(const quandor::DataInfo& info, std::FILE* to);

// Prints one warning line on standard error when the edition of the bank
// code file answering now is past its last day; at most once a run. The exit
// status does not depend on it.
void WarnIfStale();

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_DATA_EDITION_H_
