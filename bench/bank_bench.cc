// Speed of the bank connection check and the bank directory, on the shipped
// bank code file beside the program (or the one QUANDOR_DATA_DIR names).
//
//   build/release/bin/bank_bench
//   build/release/bin/bank_bench --benchmark_filter=Validate
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include "bankdir/bank_file.h"
#include "bankdir/bank_index.h"
#include "bankdir/bank_record.h"
#include "bankdir/data_path.h"
#include "digit_list.h"
#include "input_check.h"
#include "methods/check_context.h"
#include "methods/runner.h"
#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"

namespace {

using quandor::Banking;

// Every seventh bank code of the file, so that lookups spread over all of it.
std::vector<std::string> SpreadBankCodes() {
  Banking banking;  // loads the thread's index
  std::vector<std::string> codes;
  const auto& index = quandor::bankdir::ThreadBankIndex();
  for (std::size_t i = 0; i < index.size(); i += 7) codes.push_back(index[i].code);
  return codes;
}

const std::vector<std::string>& Codes() {
  static const std::vector<std::string> codes = SpreadBankCodes();
  return codes;
}

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
  const std::string dir = quandor::bankdir::GetDataPath();
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

// What Validate does without asking the file system: input checks, bisection,
// reading the record's fields, the method.
void BM_ValidateInMemory(benchmark::State& state) {
  RequireFile(state);
  using namespace quandor;
  const bankdir::BankFileLines* file = bankdir::CurrentBankFile(bankdir::BankFilePath()).get();
  const std::vector<std::string> one_code = {Codes()[Codes().size() / 2]};
  const auto& codes = state.range(0) == 0 ? Codes() : one_code;
  std::string bank_number, account_number, name, city, complete;
  std::size_t i = 0;
  for (auto _ : state) {
    int32_t error = qdNoError;
    bank_number.clear();
    account_number.clear();
    DigitList bank_digits, account_digits;
    CheckedTexts texts{bank_number, account_number, error};
    CheckInput(codes[i], "1234567890", bank_digits, account_digits, qdStrictnessNormal, texts);
    const std::string key = JoinArray(bank_digits);
    const int64_t line = bankdir::FindBankLine(bankdir::ThreadBankIndex(), key, error);
    bankdir::FieldReader fields(file->line(static_cast<std::size_t>(line)));
    fields.Next();
    for (std::string* target : {&name, &city, &complete}) {
      target->clear();
      target->append(*fields.Next());
    }
    const int32_t method = bankdir::ReadMethodNumber(*fields.Next()).value_or(-1);
    methods::AccountDigits digits{};
    for (std::size_t d = 0; d < 10; ++d) digits[d] = account_digits[d];
    char code[16];
    const auto written = std::to_chars(code, code + sizeof code, method);
    methods::CheckContext context{digits, error, key};
    methods::RunCheckMethod(context,
                            std::string_view(code, static_cast<std::size_t>(written.ptr - code)));
    benchmark::DoNotOptimize(error);
    if (++i == codes.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
// Arg 0: bank codes spread over the file; arg 1: one code again and again.
BENCHMARK(BM_ValidateInMemory)->Arg(0)->Arg(1);

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
  std::size_t i = 0;
  for (auto _ : state) {
    int32_t error = qdNoError;
    benchmark::DoNotOptimize(bankdir::FindBankLine(bankdir::ThreadBankIndex(), codes[i], error));
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
  const std::string path = quandor::bankdir::BankFilePath();
  struct stat st {};
  for (auto _ : state) benchmark::DoNotOptimize(::stat(path.c_str(), &st));
}
BENCHMARK(BM_StatOfBankFile);

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
