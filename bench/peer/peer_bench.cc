// Quandor and the peer library side by side, on the same 100,000 checks: bank
// codes drawn uniformly from the records of data/blz.txt, random 10-digit
// account numbers, fixed seed. One iteration runs all of them, so
// items_per_second counts checks (ns per check = 1e9 / items_per_second), and
// "valid" is the share found valid, a sign that both looked the banks up.
//
//   bench/compare-with-peer.sh              builds it, runs it, prints the table
//   build/peer/bin/peer_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <ktoblzcheck.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"

namespace {

constexpr std::size_t kPairs = 100'000;
const std::string kDataDir = QUANDOR_SOURCE_DATA_DIR;

struct Pair {
  std::string blz;
  std::string account;
};

const std::vector<Pair>& Pairs() {
  static const std::vector<Pair> pairs = [] {
    std::vector<std::string> codes;
    std::ifstream file(kDataDir + "/blz.txt");
    for (std::string line; std::getline(file, line);) {
      if (!line.empty()) codes.push_back(line.substr(0, line.find(';')));
    }
    std::vector<Pair> drawn;
    if (codes.empty()) return drawn;
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::size_t> record(0, codes.size() - 1);
    std::uniform_int_distribution<int> digit(0, 9);
    drawn.reserve(kPairs);
    for (std::size_t i = 0; i < kPairs; ++i) {
      std::string account(10, '0');
      for (char& c : account) c = static_cast<char>('0' + digit(random));
      drawn.push_back({codes[record(random)], std::move(account)});
    }
    return drawn;
  }();
  return pairs;
}

// Sets (or, given nullptr, removes) an environment variable for one benchmark.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A settings file of its own that names the data directory, as a host without
// QUANDOR_DATA_DIR finds it: Quandor then looks at it on every lookup.
class SettingsFile {
 public:
  SettingsFile() : home_(MakeHome()), config_("XDG_CONFIG_HOME", home_.c_str()) {
    std::filesystem::create_directories(home_ + "/Quandor");
    std::ofstream(home_ + "/Quandor/Quandor.ini") << "[path]\nfilepath=" << kDataDir << "\n";
  }
  ~SettingsFile() { std::filesystem::remove_all(home_); }
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

 private:
  static std::string MakeHome() {
    std::string name = (std::filesystem::temp_directory_path() / "peer_bench.XXXXXX").string();
    return ::mkdtemp(name.data()) ? name : std::string();
  }
  std::string home_;
  ScopedEnv config_;
  ScopedEnv no_data_dir_{"QUANDOR_DATA_DIR", nullptr};
};

// The peer reports banks whose method it lacks on stderr, once per check.
class StderrSilenced {
 public:
  StderrSilenced() : saved_(::dup(2)) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 2);
    ::close(null);
  }
  ~StderrSilenced() {
    ::dup2(saved_, 2);
    ::close(saved_);
  }
  StderrSilenced(const StderrSilenced&) = delete;
  StderrSilenced& operator=(const StderrSilenced&) = delete;

 private:
  int saved_;
};

// One untimed pass warms caches and indexes; then every iteration checks all pairs.
template <typename Check>
void CheckAllPairs(benchmark::State& state, Check check) {
  const auto& pairs = Pairs();
  if (pairs.empty()) {
    state.SkipWithError("no data/blz.txt");
    return;
  }
  for (const Pair& pair : pairs) benchmark::DoNotOptimize(check(pair));
  std::size_t valid = 0;
  for (auto _ : state) {
    for (const Pair& pair : pairs) valid += check(pair) ? 1 : 0;
  }
  const auto checks = static_cast<int64_t>(state.iterations() * pairs.size());
  state.SetItemsProcessed(checks);
  state.counters["valid"] = static_cast<double>(valid) / static_cast<double>(checks);
}

void BM_Peer(benchmark::State& state) {
  StderrSilenced quiet;
  static const AccountNumberCheck peer;
  CheckAllPairs(state, [](const Pair& pair) {
    return peer.check(pair.blz, pair.account) == AccountNumberCheck::OK;
  });
}

// Quandor's Validate with the file pinned: no look at the file system per check.
void BM_QuandorPinned(benchmark::State& state) {
  ScopedEnv data_dir("QUANDOR_DATA_DIR", kDataDir.c_str());
  quandor::BankFilePin pin;
  quandor::Banking banking;
  CheckAllPairs(state, [&](const Pair& pair) { return banking.Validate(pair.blz, pair.account); });
}

// Exact: every check sees a changed file; the directory from QUANDOR_DATA_DIR.
void BM_QuandorDataDir(benchmark::State& state) {
  ScopedEnv data_dir("QUANDOR_DATA_DIR", kDataDir.c_str());
  quandor::Banking banking;
  CheckAllPairs(state, [&](const Pair& pair) { return banking.Validate(pair.blz, pair.account); });
}

// Exact, the directory from the settings file, which is looked at too.
void BM_QuandorSettingsFile(benchmark::State& state) {
  SettingsFile settings;
  quandor::Banking banking;
  CheckAllPairs(state, [&](const Pair& pair) { return banking.Validate(pair.blz, pair.account); });
}

BENCHMARK(BM_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuandorPinned)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuandorDataDir)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuandorSettingsFile)->Unit(benchmark::kMillisecond);

}  // namespace
