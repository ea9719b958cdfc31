// quandor-check: the command line to the component's checks and its bank code file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "commands.h"
#include "common.h"
#include "data_edition.h"
#include "quandor/creditcard.h"

namespace quandor_check {
namespace {

constexpr Command kCommands[] = {
    {"bank", "look a bank up by its bank code", RunBank},
    {"search", "search the bank code file for a text", RunSearch},
    {"validate", "check a bank code and account number", RunValidate},
    {"card", "check a credit card number", RunCard},
    {"iban", "check an IBAN", RunIban},
    {"convert", "turn the Bundesbank's file into blz.txt", RunConvert},
    {"data", "show the bank code file, its edition and the default rules", RunData},
};

void PrintHelp(std::FILE* to) {
  std::fputs(
      "Usage: quandor-check [--data DIR] COMMAND [OPTIONS] [ARGUMENTS]\n"
      "       quandor-check --version\n\n"
      "Checks German bank connections and credit card numbers.\n\n"
      "Commands:\n",
      to);
  for (const Command& command : kCommands) {
    std::fprintf(to, "  %-9.*s %.*s\n", static_cast<int>(command.name.size()), command.name.data(),
                 static_cast<int>(command.summary.size()), command.summary.data());
  }
  std::string rest =
      "\nWith its arguments a command answers once; without, it reads one request a\n"
      "line from standard input and writes one result line each, and ends with a\n"
      "summary line on standard error (rows read, valid, invalid, not checkable,\n"
      "malformed). Texts from the bank code file are written with control\n"
      "characters replaced by U+FFFD. Check methods and card rules are today's\n"
      "unless --rules original, QUANDOR_RULES or the settings file say otherwise.\n\n"
      "Options:\n"
      "  --data DIR   directory of the bank code file blz.txt\n"
      "  --lang LANG  language of the messages: de (German, the default) or en\n"
      "  --version    show the component's version and copyright\n"
      "  --help       show this help; 'quandor-check COMMAND --help' for a command\n\n"
      "Exit status, for every command:\n";
  AppendExitStatusTable(rest, "  ");
  std::fputs(rest.c_str(), to);
}

int PrintVersion() {
  // Creditcard needs no bank code file, so this works anywhere.
  const quandor::Creditcard card;
  std::printf("quandor-check %s\n%s\n\n", card.Version().c_str(), card.CopyrightNotice().c_str());
  PrintDataInfo(quandor::GetDataInfo(), stdout);
  return kExitOk;
}

// Text printed through stdout sits in its buffer until the end: a failure to
// write it (a full disk, a closed pipe) shows only here, and must not pass
// for success.
int FinishOutput(int status) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  const int error = errno;
  return Status::File(std::string("cannot write output") +
                      (error != 0 ? std::string(": ") + std::strerror(error) : ""))
      .Report("");
}

int Dispatch(Words words) {
  std::size_t i = 0;
  for (; i < words.size() && std::string_view(words[i]).starts_with("-"); ++i) {
    const std::string_view word = words[i];
    if (word == "--help" || word == "-h") {
      PrintHelp(stdout);
      return kExitOk;
    }
    if (word == "--version") return PrintVersion();
    if (word == "--lang" || word.starts_with("--lang=")) {
      const bool next = word == "--lang" && i + 1 < words.size();
      if (!UseLanguage(next ? std::string_view(words[++i]) : word.substr(word.find('=') + 1))) {
        std::fputs("quandor-check: --lang takes de or en\nTry 'quandor-check --help'.\n", stderr);
        return kExitUsageOrFile;
      }
      continue;
    }
    std::optional<std::string_view> dir;
    if (word == "--data" && i + 1 < words.size()) {
      dir = words[++i];
    } else if (word.starts_with("--data=")) {
      dir = word.substr(7);
    } else if (word == "--data") {
      dir = "";
    } else {
      std::fprintf(stderr, "quandor-check: unknown option '%s'\nTry 'quandor-check --help'.\n",
                   words[i]);
      return kExitUsageOrFile;
    }
    if (const Status status = UseDataDir(*dir); !status.ok()) {
      std::fprintf(stderr, "quandor-check: %s\nTry 'quandor-check --help'.\n",
                   status.message().c_str());
      return kExitUsageOrFile;
    }
  }
  if (i == words.size()) {
    PrintHelp(stderr);
    return kExitUsageOrFile;
  }
  const std::string_view name = words[i];
  for (const Command& command : AllCommands()) {
    if (command.name == name) return command.run(words.subspan(i + 1));
  }
  std::fprintf(stderr, "quandor-check: unknown command '%s'\nTry 'quandor-check --help'.\n",
               words[i]);
  return kExitUsageOrFile;
}

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

}  // namespace quandor_check

int main(int argc, char** argv) {
  using namespace quandor_check;
  const Words words(const_cast<const char* const*>(argv) + 1, static_cast<std::size_t>(argc - 1));
  return FinishOutput(Dispatch(words));
}
