// What convert records of the edition it converts (bankdir/edition.h), and
// how it places a next edition beside the current one.
#ifndef QUANDOR_CHECK_CONVERT_EDITION_H_
#define QUANDOR_CHECK_CONVERT_EDITION_H_

#include <optional>
#include <string>
#include <string_view>

#include "args.h"
#include "bankdir/edition.h"

namespace quandor_check {

// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& name, std::string& content);

// The first day that the Bundesbank's file name tells: "blz_20260608.txt"
// gives 2026-06-08; any other name nothing.
std::optional<quandor::bankdir::Day> FirstDayFromFileName(std::string_view path);

// The edition of source: --valid-from, else the file name; --valid-until.
// Returns why the options cannot stand, or nothing.
std::optional<std::string> EditionOf(const Args& args, std::string_view source,
                                     quandor::bankdir::Edition& edition);

// Before a next edition is placed beside the bank code file at path: a next
// edition waiting there that has already taken over becomes the current one,
// so that the new one does not push it aside for the older current one.
// Returns why that failed, or "".
std::string PromoteNextEdition(const std::string& path);

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_CONVERT_EDITION_H_
