// The subcommands of quandor-check. Each takes the words after its name and
// returns the exit status.
#ifndef QUANDOR_CHECK_COMMANDS_H_
#define QUANDOR_CHECK_COMMANDS_H_

#include <span>
#include <string_view>

#include "common.h"

namespace quandor_check {

int RunConvert(Words words);
int RunBank(Words words);
int RunSearch(Words words);
int RunValidate(Words words);
int RunCard(Words words);
int RunIban(Words words);
int RunData(Words words);

struct Command {
  std::string_view name;
  std::string_view summary;
  int (*run)(Words);
};

// Every subcommand, in the order the help lists them.
std::span<const Command> AllCommands();

}  // namespace quandor_check

#endif  // QUANDOR_CHECK_COMMANDS_H_
