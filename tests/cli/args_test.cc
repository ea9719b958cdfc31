#include "args.h"

#include <gtest/gtest.h>

#include <vector>

namespace quandor_check {
namespace {

constexpr OptionSpec kSpecs[] = {{"help", false}, {"in", true}, {"all-offices", false}};

// The message of a usage error, or nothing.
std::optional<std::string> Parse(std::vector<const char*> words, Args& args) {
  const Status status = ParseArgs(words, kSpecs, args);
  if (status.ok()) return std::nullopt;
  return status.message();
}

TEST(ArgsTest, OptionsAndOperands) {
  Args args;
  ASSERT_EQ(
      Parse({"x", "--in", "name", "--all-offices", "-1", "--in=city", "-", "--", "--y"}, args),
      std::nullopt);
  EXPECT_EQ(args.Value("in"), "city");  // the last one given wins
  EXPECT_TRUE(args.Has("all-offices"));
  EXPECT_FALSE(args.Has("help"));
  EXPECT_EQ(args.operands(), (std::vector<std::string_view>{"x", "-1", "-", "--y"}));

  Args help;
  ASSERT_EQ(Parse({"-h"}, help), std::nullopt);
  EXPECT_TRUE(help.Has("help"));
}

TEST(ArgsTest, UsageErrors) {
  const std::vector<std::vector<const char*>> bad = {
      {"--nope"}, {"-x"}, {"--in"}, {"--all-offices=1"}, {"--help=yes"}};
  for (const auto& words : bad) {
    Args args;
    EXPECT_NE(Parse(words, args), std::nullopt) << words[0];
  }
}

}  // namespace
}  // namespace quandor_check
