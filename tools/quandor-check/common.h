// What every subcommand shares: exit statuses, usage errors, the options
// --data and --strictness, and number parsing.
#ifndef QUANDOR_CHECK_COMMON_H_
#define QUANDOR_CHECK_COMMON_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "args.h"

namespace quandor_check {

inline constexpr int kExitOk = 0;        // success; every batch run that got to its end
inline constexpr int kExitNegative = 1;  // the answer is no: not found, invalid, malformed
inline constexpr int kExitUsage = 2;     // usage error, or a file that cannot be read or written
inline constexpr int kExitUncheckable =
    3;  // no verdict: no method for the bank, or no bank code file

// Options that every subcommand accepts.
inline constexpr OptionSpec kHelpOption{"help", false};
inline constexpr OptionSpec kDataOption{"data", true};
inline constexpr OptionSpec kStrictnessOption{"strictness", true};
inline constexpr OptionSpec kRulesOption{"rules", true};

// Prints "quandor-check COMMAND: message" and a hint to --help on stderr; returns kExitUsage.
int UsageError(std::string_view command, std::string_view message);

// Prints "quandor-check: message" on stderr; returns status.
int Fail(int status, std::string_view message);

// Parses words for a subcommand and handles --help and --data. Returns the
// exit status to end with (help shown or usage error), or nothing to go on.
std::optional<int> ParseCommandArgs(std::string_view command, std::string_view help,
                                    std::span<const char* const> words,
                                    std::span<const OptionSpec> specs, Args& args);

// Points the library at the bank code file's directory (QUANDOR_DATA_DIR),
// before any object exists.
void UseDataDir(std::string_view dir);

// ParseCommandArgs for a command that checks at a strictness level, which also
// reads --strictness (0 to 3; nothing when absent) and refuses a bad value.
std::optional<int> ParseCheckCommandArgs(std::string_view command, std::string_view help,
                                         std::span<const char* const> words,
                                         std::span<const OptionSpec> specs, Args& args,
                                         std::optional<std::int32_t>& strictness);

// Reads --rules ("current" or "original"; nothing when absent, and the
// library's default applies). Returns the exit status of a usage error.
std::optional<int> ParseRulesOption(std::string_view command, const Args& args,
                                    std::optional<std::int32_t>& rules);

// Sets the language of the messages below by its name ("de", the default, or
// "en"); false for any other name. Called before the first message is made.
bool UseLanguage(std::string_view name);

// The component's texts of an error code (GetErrorText) and of an IBAN's
// error code (GetIbanErrorText), made once a run and kept in place until its
// end: a batch that writes the message of every row builds no string for it.
// Each views a whole string, so data() ends with a NUL.
std::string_view ErrorText(std::int32_t code);
std::string_view IbanErrorText(std::int32_t code);

// A whole decimal number with optional sign, within int64.
std::optional<std::int64_t> ParseInteger(std::string_view text);

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_COMMON_H_
