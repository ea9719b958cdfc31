// The in-memory cost of checking one account number by its method code.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "methods/current/method_set.h"
#include "methods/method_table.h"
#include "methods/runner.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

std::vector<AccountDigits> SomeAccounts() {
  std::vector<AccountDigits> accounts;
  uint64_t state = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 64; ++i) {
    AccountDigits digits{};
    for (int& digit : digits) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      digit = static_cast<int>((state >> 33) % 10);
    }
    accounts.push_back(digits);
  }
  return accounts;
}

// Every method number 0 to 99, so that table rows, chains and special
// routines are mixed as banks mix them.
std::vector<std::string> AllMethodCodes() {
  std::vector<std::string> codes;
  for (int method = 0; method <= 99; ++method) codes.push_back(std::to_string(method));
  return codes;
}

// The mix of methods 0 to 99 by code (Arg 0) and by number (Arg 1), as
// Validate runs it.
void BM_RunCheckMethod(benchmark::State& state) {
  const auto accounts = SomeAccounts();
  const auto codes = AllMethodCodes();
  const bool by_number = state.range(0) == 1;
  std::size_t i = 0;
  for (auto _ : state) {
    AccountDigits digits = accounts[i % accounts.size()];
    CheckContext ctx{digits, "10020030"};
    const int32_t error = by_number ? RunCheckMethod(ctx, static_cast<int32_t>(i % codes.size()))
                                    : RunCheckMethod(ctx, codes[i % codes.size()]);
    benchmark::DoNotOptimize(error);
    ++i;
  }
}
BENCHMARK(BM_RunCheckMethod)->Arg(0)->Arg(1);

// Today's set on the same mix: method numbers 0 to 99 (Arg 100), and with the
// letter methods A0 to E4 (Arg 145).
void BM_RunCurrentMethod(benchmark::State& state) {
  const auto accounts = SomeAccounts();
  const auto methods = static_cast<std::size_t>(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    AccountDigits digits = accounts[i % accounts.size()];
    CheckContext ctx{digits, "10020030"};
    benchmark::DoNotOptimize(RunCurrentMethod(ctx, static_cast<int32_t>(i % methods)));
    ++i;
  }
}
BENCHMARK(BM_RunCurrentMethod)->Arg(100)->Arg(145);

// The longest chain of the table: five rows after a switch test.
void BM_CheckByTableLongestChain(benchmark::State& state) {
  AccountDigits digits = {1, 2, 5, 3, 2, 8, 7, 0, 4, 6};
  for (auto _ : state) {
    AccountDigits copy = digits;
    CheckContext ctx{copy, "10020030"};
    benchmark::DoNotOptimize(CheckByTable(ctx, "90"));
  }
}
BENCHMARK(BM_CheckByTableLongestChain);

void BM_GetMethodRow(benchmark::State& state) {
  const auto codes = AllMethodCodes();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(GetMethodRow(codes[i++ % codes.size()]));
}
BENCHMARK(BM_GetMethodRow);

}  // namespace
}  // namespace quandor::methods
