// What every subcommand shares: the options --help, --data, --strictness,
// --rules and --format read into one Invocation, texts of the component's
// codes, and number parsing.
#ifndef QUANDOR_CHECK_COMMON_H_
#define QUANDOR_CHECK_COMMON_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "args.h"
#include "status.h"

namespace quandor {
class Banking;
}

namespace quandor_check {

using Words = std::span<const char* const>;

// Options that every subcommand accepts.
inline constexpr OptionSpec kHelpOption{"help", false};
inline constexpr OptionSpec kDataOption{"data", true};
inline constexpr OptionSpec kStrictnessOption{"strictness", true};
inline constexpr OptionSpec kRulesOption{"rules", true};
inline constexpr OptionSpec kFormatOption{"format", true};

enum class OutputFormat {
  kText,  // the tool's text forms and CSV
  kJson,  // one JSON object a line (NDJSON)
};

// A subcommand's words, read: its options and operands, and the shared
// options checked and resolved. An option missing from the command's specs
// is refused by the parse and takes its default here.
struct Invocation {
  Args args;
  std::optional<std::int32_t> strictness;  // --strictness 0 to 3; nothing: the object's default
  // --rules, else QUANDOR_RULES or the settings file, else today's rules:
  // the tool answers by the rules of today unless told otherwise.
  std::int32_t rules = 0;
  OutputFormat format = OutputFormat::kText;
};

// Parses the words of a subcommand. --help shows help and the exit status
// table and ends with Status::Done(kExitOk); --data points the library at
// its directory. Reads the rules before any bank code file is pinned.
StatusOr<Invocation> ParseCommand(std::string_view help, Words words,
                                  std::span<const OptionSpec> specs);

// Applies the invocation's strictness (when given) and rules to a Banking
// or Creditcard object.
template <typename Checker>
void Configure(Checker& checker, const Invocation& run) {
  if (run.strictness) checker.Strictness(*run.strictness);
  checker.Rules(run.rules);
}

// Points the library at the bank code file's directory (QUANDOR_DATA_DIR),
// before any object exists. An empty name is refused: it would read as
// "not set" and let another file answer.
Status UseDataDir(std::string_view dir);

// "current" or "original".
std::string_view RulesName(std::int32_t rules);
// The rule set so named (as RulesName spells it), or none.
std::optional<std::int32_t> ParseRules(std::string_view name);

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

// The card company a word names: a number as it stands (one beyond 32 bits
// as -1, which Creditcard reports as an unknown company), or a name with
// case, blanks, "-" and "_" ignored: visa, mastercard, eurocard, amex or
// americanexpress, diners or dinersclub, discover. Nothing for other words.
std::optional<std::int32_t> CardCompanyNumber(std::string_view text);

// The full name of company 0 to 5 ("americanexpress"); "" for any other.
std::string_view CardCompanyName(std::int32_t company);

// Whether the bank code of banking's last operation is being deleted (the
// deletion flag of its record): its successor, "" when none is named.
std::optional<std::string> SuccessorOfDeleted(quandor::Banking& banking);

// "warning: bank code B is being deleted; its successor is S" on standard
// error, after "line N: " when line is not 0.
void WarnDeleted(std::string_view blz, const std::string& successor, std::uint64_t line = 0);

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_COMMON_H_
