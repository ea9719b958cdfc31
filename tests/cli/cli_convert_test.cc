// quandor-check convert and the command line's own errors, end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace quandor_check {
namespace {

std::string Pad(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string BundesbankLine(const std::string& code, char type, const std::string& name,
                           const std::string& city, const std::string& method) {
  return code + type + Pad(name, 58) + "10591" + Pad(city, 35) + Pad(name, 27) + "12345" +
         Pad("MARKDEF1100", 11) + method + "000001U000000000\r\n";
}

// A Bundesbank file beside the checkout (or where QUANDOR_BUNDESBANK_DIR says).
std::filesystem::path BundesbankFile(const std::string& name) {
  const char* named = std::getenv("QUANDOR_BUNDESBANK_DIR");
  const std::filesystem::path dir =
      named != nullptr && *named != '\0'
          ? std::filesystem::path(named)
          : std::filesystem::path(QUANDOR_SOURCE_DIR) / ".." / "shared" / "data";
  return dir / name;
}

// Fields 1 to 7 of every line: what the converter wrote before it kept the
// deletion flag and the successor.
std::string FirstSevenFields(const std::string& converted) {
  std::string out;
  std::size_t pos = 0;
  while (pos < converted.size()) {
    const std::size_t end = converted.find("\r\n", pos);
    const std::string line = converted.substr(pos, end - pos);
    std::size_t cut = 0;
    for (int field = 0; field < 7 && cut != std::string::npos; ++field) {
      cut = line.find(';', cut == 0 ? 0 : cut + 1);
    }
    out += line.substr(0, cut) + "\r\n";
    pos = end == std::string::npos ? converted.size() : end + 2;
  }
  return out;
}

// What quandor-check convert makes of a Bundesbank file.
std::string Converted(const std::filesystem::path& source) {
  CliSandbox sandbox;
  const CliResult result = sandbox.Run("convert '" + source.string() + "' --output blz.txt");
  EXPECT_EQ(result.status, 0) << result.err;
  return ReadFile(sandbox / "blz.txt");
}

// The shipped data/blz.txt is exactly what the converter makes of the
// Bundesbank's edition it was made from; the 2020 edition still converts to
// the bytes it always did, the two new fields aside.
TEST(CliConvertTest, ShippedBankCodeFilesAreTheConvertersOutput) {
  const std::filesystem::path root(QUANDOR_SOURCE_DIR);
  const auto edition2026 = BundesbankFile("blz_20260608.txt");
  const auto edition2020 = BundesbankFile("blz_20200420.txt");
  if (!std::filesystem::exists(edition2026) || !std::filesystem::exists(edition2020)) {
    GTEST_SKIP() << "no Bundesbank files beside the checkout";
  }
  EXPECT_TRUE(Converted(edition2026) == ReadFile(root / "data" / "blz.txt"));
  CliSandbox sandbox;
  EXPECT_EQ(
      sandbox
          .Run("convert '" + edition2026.string() + "' --valid-until 2026-09-06 --output blz.txt")
          .status,
      0);
  EXPECT_EQ(ReadFile(sandbox / "blz.edition"), ReadFile(root / "data" / "blz.edition"));
  EXPECT_TRUE(FirstSevenFields(Converted(edition2020)) ==
              ReadFile(root / "tests" / "data" / "blz_20200420.txt"));
}

TEST(CliConvertTest, ConvertsToStandardOutputOrFile) {
  CliSandbox sandbox;
  WriteFile(sandbox / "bb.txt",
            BundesbankLine("20000000", '1', "M\xFCnchner Bank", "M\xFCnchen", "C3") +
                BundesbankLine("10000000", '1', "Bundesbank", "Berlin", "09") +
                BundesbankLine("10000000", '2', "Bundesbank", "Potsdam", "09"));
  const std::string berlin = "10000000;Bundesbank;Berlin;Bundesbank;09;10591;MARKDEF1100;0;\r\n";
  const std::string potsdam = "10000000;Bundesbank;Potsdam;Bundesbank;09;10591;MARKDEF1100;0;\r\n";
  const std::string munich =
      "20000000;Münchner Bank;München;Münchner Bank;123;10591;MARKDEF1100;0;\r\n";
  CliResult result = sandbox.Run("convert bb.txt");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, berlin + munich);

  result = sandbox.Run("convert bb.txt --all-offices --output out.txt");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadFile(sandbox / "out.txt"), berlin + potsdam + munich);
}

// The output's directory is made when missing; a link planted where a
// temporary file might go is never written through.
TEST(CliConvertTest, OutputIntoANewDirectoryAndPastPlantedLinks) {
  CliSandbox sandbox;
  WriteFile(sandbox / "bb.txt", BundesbankLine("10000000", '1', "Bundesbank", "Berlin", "09"));
  WriteFile(sandbox / "victim", "untouched");
  std::filesystem::create_directory_symlink(sandbox / "nowhere", sandbox / "new");
  std::filesystem::create_directories(sandbox / "dir");
  std::filesystem::create_symlink(sandbox / "victim", sandbox / "dir" / "blz.txt.tmp");
  for (const char* output : {"dir/blz.txt", "fresh/sub/blz.txt"}) {
    const CliResult result = sandbox.Run(std::string("convert bb.txt --output ") + output);
    EXPECT_EQ(result.status, 0) << output << result.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(sandbox / output)))
        << output;
    EXPECT_NE(ReadFile(sandbox / output).find("Bundesbank"), std::string::npos) << output;
  }
  EXPECT_EQ(ReadFile(sandbox / "victim"), "untouched");
}

TEST(CliConvertTest, MalformedLineWritesNothing) {
  CliSandbox sandbox;
  WriteFile(sandbox / "bb.txt",
            BundesbankLine("10000000", '1', "Bundesbank", "Berlin", "09") + "10000001 broken\r\n");
  WriteFile(sandbox / "old.txt", "previous");
  CliResult result = sandbox.Run("convert bb.txt --output old.txt");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("line 2"), std::string::npos) << result.err;
  EXPECT_EQ(ReadFile(sandbox / "old.txt"), "previous");
  EXPECT_FALSE(std::filesystem::exists(sandbox / "old.txt.tmp"));

  result = sandbox.Run("convert bb.txt");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
}

// The days an edition file names, without the lines that tie it to its bank
// code file; "none" when there is no edition file.
std::string EditionDays(const std::filesystem::path& path) {
  if (!std::filesystem::exists(path)) return "none";
  const std::string text = ReadFile(path);
  return text.substr(0, text.find("bank_file_size="));
}

// The edition beside the converted file, and the next edition beside that.
TEST(CliConvertTest, RecordsTheEdition) {
  const std::string bb = BundesbankLine("10000000", '1', "Bundesbank", "Berlin", "09");
  struct Case {
    const char* source;  // bb.txt: a name without a day
    const char* args;
    int status;
    const char* current;  // blz.edition's days afterwards
    const char* next;     // blz.next.edition's days afterwards
  };
  const char* const kOld = "valid_from=2000-01-01\n";
  const Case cases[] = {
      {"blz_20261207.txt", "--output blz.txt", 0, "valid_from=2026-12-07\n", "none"},
      {"blz_20261207.txt", "--valid-from 2026-12-08 --valid-until 2027-03-07 --output blz.txt", 0,
       "valid_from=2026-12-08\nvalid_until=2027-03-07\n", "none"},
      {"bb.txt", "--output blz.txt", 0, "none", "none"},
      {"blz_20261207.txt", "--next --output blz.txt", 0, kOld, "valid_from=2026-12-07\n"},
      {"bb.txt", "--valid-until 2027-03-07 --output blz.txt", 2, kOld, "none"},
      {"bb.txt", "--next --output blz.txt", 2, kOld, "none"},
      {"blz_20261207.txt", "--valid-until 2026-12-06 --output blz.txt", 2, kOld, "none"},
      {"blz_20261207.txt", "--valid-from 2026-12-32 --output blz.txt", 2, kOld, "none"},
      {"blz_20261207.txt", "--next", 2, kOld, "none"},
  };
  for (const Case& c : cases) {
    CliSandbox sandbox;
    for (const char* name : {"bb.txt", "blz_20261207.txt"}) WriteFile(sandbox / name, bb);
    ASSERT_EQ(
        sandbox.Run("convert blz_20261207.txt --valid-from 2000-01-01 --output blz.txt").status, 0);
    const CliResult result = sandbox.Run(std::string("convert ") + c.source + " " + c.args);
    EXPECT_EQ(result.status, c.status) << c.args << result.err;
    EXPECT_EQ(EditionDays(sandbox / "blz.edition"), c.current) << c.args;
    EXPECT_EQ(EditionDays(sandbox / "blz.next.edition"), c.next) << c.args;
  }

  // A next edition that has taken over becomes the current one when the one
  // after it is placed.
  CliSandbox sandbox;
  WriteFile(sandbox / "bb.txt", bb);
  for (const char* args : {"--valid-from 2000-01-01 --output blz.txt",
                           "--valid-from 2000-04-01 --next --output blz.txt",
                           "--valid-from 2099-01-01 --next --output blz.txt"}) {
    ASSERT_EQ(sandbox.Run(std::string("convert bb.txt ") + args).status, 0) << args;
  }
  EXPECT_EQ(EditionDays(sandbox / "blz.edition"), "valid_from=2000-04-01\n");
  EXPECT_EQ(EditionDays(sandbox / "blz.next.edition"), "valid_from=2099-01-01\n");
  EXPECT_EQ(ReadFile(sandbox / "blz.next.txt"), ReadFile(sandbox / "blz.txt"));
}

// Data out of date is told once a run, on standard error; answers and exit
// statuses stay as they are. 'data' and --version tell the edition.
TEST(CliConvertTest, OutOfDateDataWarnsOnce) {
  CliSandbox sandbox;
  const std::string bb = BundesbankLine("10000000", '1', "Bundesbank", "Berlin", "09");
  WriteFile(sandbox / "bb.txt", bb);
  WriteFile(sandbox / "blz_20000101.txt", bb);
  const char* const commands[] = {
      "bank 10000000", "validate 10000000 1234567890", "validate 10000000 x",
      "search Bundes", "iban DE23100000001234567890",  "bank"};
  const std::string batch = "10000000\n99999999\n";
  struct Case {
    const char* convert;
    const char* warning;  // the whole line, "" for none
    const char* edition;  // in 'data' and --version
  };
  const Case cases[] = {
      {"bb.txt", "", "unknown (no blz.edition beside the file)"},
      {"blz_20000101.txt --valid-until 2000-03-31",
       "warning: bank code file edition 2000-01-01 expired on 2000-03-31; convert the current "
       "edition (quandor-check convert --help)\n",
       "2000-01-01 to 2000-03-31, expired"},
      {"blz_20000101.txt",
       "warning: bank code file edition 2000-01-01 expired on 2000-04-10; convert the current "
       "edition (quandor-check convert --help)\n",
       "2000-01-01 (last day not named), expired"},
      {"blz_20000101.txt --valid-until 2999-12-31", "", "2000-01-01 to 2999-12-31, in force"},
  };
  std::vector<CliResult> unwarned;
  for (const Case& c : cases) {
    ASSERT_EQ(sandbox.Run(std::string("convert ") + c.convert + " --output blz.txt").status, 0);
    for (std::size_t i = 0; i < std::size(commands); ++i) {
      const std::string args = std::string("--data . ") + commands[i];
      const CliResult result = sandbox.Run(args, batch);
      if (unwarned.size() <= i) unwarned.push_back(result);
      EXPECT_EQ(result.status, unwarned[i].status) << args;
      EXPECT_EQ(result.out, unwarned[i].out) << args;
      EXPECT_EQ(result.err, c.warning + unwarned[i].err) << args;
    }
    for (const char* args : {"--data . data", "--data . --version"}) {
      const CliResult result = sandbox.Run(args);
      EXPECT_EQ(result.status, 0) << args;
      EXPECT_NE(
          result.out.find("Edition:        " + std::string(c.edition) + "\nBanks:          1\n"),
          std::string::npos)
          << args << result.out;
    }
  }
}

// The README's update recipe, run as written there: into ~/bankdaten, named
// by the settings file as "~/bankdaten".
TEST(CliConvertTest, ReadmeUpdateRecipeRuns) {
  const std::string readme = ReadFile(std::filesystem::path(QUANDOR_SOURCE_DIR) / "README.md");
  const std::string marker = "<!-- update recipe -->\n```sh\n";
  const std::size_t begin = readme.find(marker);
  ASSERT_NE(begin, std::string::npos);
  const std::size_t end = readme.find("```", begin + marker.size());
  const std::string recipe = readme.substr(begin + marker.size(), end - begin - marker.size());
  // The file the recipe converts, holding the bank it checks, by a method
  // that takes every account number.
  const std::size_t convert = recipe.find("convert ") + 8;
  const std::string source = recipe.substr(convert, recipe.find(' ', convert) - convert);
  const std::size_t validate = recipe.find("validate ") + 9;
  const std::string blz = recipe.substr(validate, 8);

  CliSandbox sandbox;
  WriteFile(sandbox / source, BundesbankLine(blz, '1', "Musterbank", "Berlin", "09"));
  WriteFile(sandbox / "recipe.sh", recipe);
  const std::string bin = std::filesystem::path(QUANDOR_CHECK_BIN).parent_path().string();
  const CliResult result = sandbox.Run(
      "--version >/dev/null && HOME='" + (sandbox / "home").string() +
      "' XDG_CONFIG_HOME= QUANDOR_DATA_DIR= PATH='" + bin + ":'\"$PATH\" sh -e recipe.sh");
  EXPECT_EQ(result.status, 0) << recipe << result.out << result.err;
  EXPECT_NE(result.out.find((sandbox / "home" / "bankdaten" / "blz.txt").string()),
            std::string::npos)
      << result.out;
}

TEST(CliUsageTest, ExitStatusTwoForUsageErrors) {
  CliSandbox sandbox;
  const char* const bad[] = {
      "",
      "frobnicate",
      "--frob bank",
      "convert",
      "convert missing-file.txt",
      "convert a b",
      "bank --strictness 4 37050198",
      "bank --strictness x",
      "bank 1 2",
      "search --in street Köln",
      "validate 37050198",
      "validate --bogus",
      "validate --csv 37050198 1",
      "card visa",
      "card --strictness -1 visa 4111111111111111",
      "card nocard 4111111111111111",
      "--data",
  };
  for (const char* args : bad) {
    const CliResult result = sandbox.Run(args);
    EXPECT_EQ(result.status, 2) << args;
    EXPECT_FALSE(result.err.empty()) << args;
  }
}

TEST(CliUsageTest, HelpForEveryCommandAndVersion) {
  CliSandbox sandbox;
  for (const std::string command : {"bank", "search", "validate", "card", "convert"}) {
    const CliResult result = sandbox.Run(command + " --help");
    EXPECT_EQ(result.status, 0) << command;
    EXPECT_TRUE(result.out.starts_with("Usage: quandor-check " + command)) << result.out;
  }
  CliResult result = sandbox.Run("--help");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("validate"), std::string::npos);
  result = sandbox.Run("--version");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("\nCopyright "), std::string::npos) << result.out;
}

}  // namespace
}  // namespace quandor_check
