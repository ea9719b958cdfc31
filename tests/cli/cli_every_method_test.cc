// `validate` gives a verdict for a bank of every method number: the table
// methods and special routines accept or reject, and exactly 26, 31, 35, 99
// and the letter methods (100 and above) have no method.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace quandor_check {
namespace {

std::string BankCode(int method) {
  char code[16];
  std::snprintf(code, sizeof code, "%08d", 10000000 + method);
  return code;
}

TEST(CliEveryMethod, EachMethodNumberGivesAVerdict) {
  const std::vector<int> methods = [] {
    std::vector<int> all;
    for (int m = 0; m < 100; ++m) all.push_back(m);
    for (int m : {100, 104, 144}) all.push_back(m);
    return all;
  }();
  std::string bank_file;
  std::string requests;
  for (int method : methods) {
    char line[80];
    std::snprintf(line, sizeof line, "%s;Bank %d;Stadt;Bank;%02d\r\n", BankCode(method).c_str(),
                  method, method);
    bank_file += line;
    // Two accounts per bank: one of nine digits, one of ten.
    requests += BankCode(method) + ";532013000\n" + BankCode(method) + ";9290701234\n";
  }
  CliSandbox sandbox;
  WriteFile(sandbox / "blz.txt", bank_file);
  const CliResult result = sandbox.Run("--data . validate --rules original", requests);
  ASSERT_EQ(result.status, 3) << result.err;  // the banks without a method

  const std::set<int> unknown = {26, 31, 35, 99, 100, 104, 144};
  std::istringstream lines(result.out);
  std::string line;
  std::size_t row = 0;
  while (std::getline(lines, line)) {
    ASSERT_LT(row / 2, methods.size());
    const int method = methods[row / 2];
    // valid;error;method;...
    const std::string error = line.substr(2, line.find(';', 2) - 2);
    if (unknown.count(method)) {
      EXPECT_EQ(error, "8") << "method " << method << ": " << line;
    } else {
      EXPECT_TRUE(error == "1" || error == "2") << "method " << method << ": " << line;
    }
    ++row;
  }
  EXPECT_EQ(row, 2 * methods.size());
}

}  // namespace
}  // namespace quandor_check
