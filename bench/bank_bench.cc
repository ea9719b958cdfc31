// Speed of the bank connection check and the bank directory, on the shipped
// bank code file beside the program (or the one QUANDOR_DATA_DIR names).
//
//   build/release/bin/bank_bench
//   build/release/bin/bank_bench --benchmark_filter=Validate
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bankdir/bank_data.h"
#include "bankdir/bank_record.h"
#include "bankdir/change_watch.h"
#include "digit_list.h"
#include "input_check.h"
#include "methods/check_context.h"
#include "methods/runner.h"
#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"

namespace {

using quandor::Banking;

// The index of the bank code file as it is now; empty without one.
const quandor::bankdir::BankIndex& CurrentIndex() {
  static const quandor::bankdir::BankIndex none;
  const auto& file = quandor::bankdir::CurrentBankData()->bank_file;
  return file != nullptr ? file->index() : none;
}

// Every seventh bank code of the file, so that lookups spread over all of it.
std::vector<std::string> SpreadBankCodes() {
  std::vector<std::string> codes;
  const auto& index = CurrentIndex();
  for (std::size_t i = 0; i < index.size(); i += 7) codes.push_back(index.code(i));
  return codes;
}

const std::vector<std::string>& Codes() {
  static const std::vector<std::string> codes = SpreadBankCodes();
  return codes;
}

std::string BankFilePath() { return quandor::bankdir::CurrentBankData()->bank_file_path; }

void RequireFile(benchmark::State& state) {
  if (Codes().empty()) state.SkipWithError("no bank code file");
}

// A warm Validate: input checks, the file's stamp, bisection, record, method;
// by the original rules (Arg 0) and by today's (Arg 1).
void BM_Validate(benchmark::State& state) {
  RequireFile(state);
  Banking banking;
  banking.Rules(static_cast<int32_t>(state.range(0)));
  const auto& codes = Codes();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(banking.Validate(codes[i], "1234567890"));
    if (++i == codes.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Validate)->Arg(quandor::qdRulesOriginal)->Arg(quandor::qdRulesCurrent);

// The same with the directory given by the environment, as the tools and
// services that set QUANDOR_DATA_DIR do: no settings file to look at.
void BM_ValidateWithDataDir(benchmark::State& state) {
  RequireFile(state);
  const std::string dir = quandor::GetDataPath();
  const char* old = std::getenv("QUANDOR_DATA_DIR");
  const std::string saved = old ? old : "";
  ::setenv("QUANDOR_DATA_DIR", dir.c_str(), 1);
  Banking banking;
  const auto& codes = Codes();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(banking.Validate(codes[i], "1234567890"));
    if (++i == codes.size()) i = 0;
  }
  if (old) {
    ::setenv("QUANDOR_DATA_DIR", saved.c_str(), 1);
  } else {
    ::unsetenv("QUANDOR_DATA_DIR");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ValidateWithDataDir);

// A warm Validate on a pinned thread: no file-system call, bank codes spread
// over the file; by the original rules (Arg 0) and by today's (Arg 1).
void BM_ValidatePinned(benchmark::State& state) {
  RequireFile(state);
  quandor::BankFilePin pin;
  Banking banking;
  banking.Rules(static_cast<int32_t>(state.range(0)));
  const auto& codes = Codes();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(banking.Validate(codes[i], "1234567890"));
    if (++i == codes.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ValidatePinned)->Arg(quandor::qdRulesOriginal)->Arg(quandor::qdRulesCurrent);

// Parts of the in-memory path on their own.
void BM_CheckInput(benchmark::State& state) {
  RequireFile(state);
  using namespace quandor;
  const auto& codes = Codes();
  std::string bank_number, account_number;
  std::size_t i = 0;
  for (auto _ : state) {
    int32_t error = qdNoError;
    DigitList bank_digits, account_digits;
    CheckedTexts texts{bank_number, account_number, error};
    benchmark::DoNotOptimize(
        CheckInput(codes[i], "1234567890", bank_digits, account_digits, qdStrictnessNormal, texts));
    if (++i == codes.size()) i = 0;
  }
}
BENCHMARK(BM_CheckInput);

void BM_FindBankLine(benchmark::State& state) {
  RequireFile(state);
  using namespace quandor;
  const auto& codes = Codes();
  const bankdir::BankIndex& index = CurrentIndex();
  std::size_t i = 0;
  for (auto _ : state) {
    int32_t error = qdNoError;
    benchmark::DoNotOptimize(bankdir::FindBankLine(index, codes[i], error));
    if (++i == codes.size()) i = 0;
  }
}
BENCHMARK(BM_FindBankLine);

void BM_SearchBank(benchmark::State& state) {
  RequireFile(state);
  Banking banking;
  const auto& codes = Codes();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(banking.searchBank(codes[i]));
    if (++i == codes.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SearchBank);

// For comparison: the one system call that every lookup makes.
void BM_StatOfBankFile(benchmark::State& state) {
  const std::string path = BankFilePath();
  struct stat st {};
  for (auto _ : state) benchmark::DoNotOptimize(::stat(path.c_str(), &st));
}
BENCHMARK(BM_StatOfBankFile);

// What takes that stat's place once the file is watched: one epoll_wait()
// over the inotify queue and the thread's mount table. With two threads asking at once
// neither takes the other for one that is taking events out of the queue.
void BM_ChangesSoFar(benchmark::State& state) {
  using namespace quandor::bankdir;
  if (!WatchPath(BankFilePath())) state.SkipWithError("the bank code file cannot be watched");
  int64_t cannot_tell = 0;
  for (auto _ : state) cannot_tell += ChangesSoFar() == kCannotTell;
  state.counters["cannot_tell"] =
      benchmark::Counter(static_cast<double>(cannot_tell), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ChangesSoFar)->Threads(1)->Threads(2);

// What a lookup adds to its stat and reading after a change: setting the
// watches of the file's path again.
void BM_WatchPath(benchmark::State& state) {
  const std::string path = BankFilePath();
  if (!quandor::bankdir::WatchPath(path)) {
    state.SkipWithError("the bank code file cannot be watched");
  }
  for (auto _ : state) benchmark::DoNotOptimize(quandor::bankdir::WatchPath(path));
}
BENCHMARK(BM_WatchPath);

// A text search over the whole file: few hits, many hits, by field.
void BM_SearchBankByText(benchmark::State& state, const char* text, int32_t option) {
  RequireFile(state);
  Banking banking;
  for (auto _ : state) benchmark::DoNotOptimize(banking.SearchBankByText(text, option));
  state.counters["found"] = banking.AmountFoundBanks();
}
BENCHMARK_CAPTURE(BM_SearchBankByText, whole_line_koeln, "köln", quandor::qdSearchAll)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchBankByText, whole_line_bank, "bank", quandor::qdSearchAll)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchBankByText, name_city_muenchen, "münchen",
                  quandor::qdSearchName | quandor::qdSearchCity)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchBankByText, every_record, "", quandor::qdSearchAll)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
