// What a thread that uses the library costs: the memory that many threads
// add in all (stacks included), each holding a Banking object after one
// Validate, and the time of a new thread's first Validate once another
// thread has read the bank code file, for threads started one at a time and
// all at once.
//
//   build/release/bin/thread_bench [THREADS]    (default 64)
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "quandor/banking.h"

namespace {

using Clock = std::chrono::steady_clock;

// A bank code of the shipped file.
constexpr const char* kBankCode = "37050198";

long ResidentKiB() {
  long pages = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Microseconds of a new object's first Validate on the calling thread.
double FirstValidateMicros() {
  const auto start = Clock::now();
  quandor::Banking banking;
  banking.Validate(kBankCode, "1234567890");
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

void Print(const char* what, std::vector<double> micros) {
  std::sort(micros.begin(), micros.end());
  std::printf("%-44s median %8.1f us, max %8.1f us\n", what, micros[micros.size() / 2],
              micros.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 64;
  if (count < 1) return 2;
  {
    quandor::Banking banking;
    if (banking.LastError() == quandor::qdBankNumberFileMissing) {
      std::fprintf(stderr, "no bank code file\n");
      return 2;
    }
    banking.Validate(kBankCode, "1234567890");
  }

  std::vector<double> alone(static_cast<std::size_t>(count));
  for (double& micros : alone) std::thread([&micros] { micros = FirstValidateMicros(); }).join();

  // All at once, each staying alive with its object until the memory is taken.
  const long before = ResidentKiB();
  std::vector<double> together(static_cast<std::size_t>(count));
  std::atomic<int> started{0};
  std::atomic<int> done{0};
  std::atomic<bool> release{false};
  std::vector<std::thread> threads;
  for (double& micros : together) {
    threads.emplace_back([&] {
      for (++started; started < count;) std::this_thread::yield();
      const auto start = Clock::now();
      quandor::Banking banking;
      banking.Validate(kBankCode, "1234567890");
      micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
      ++done;
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
  }
  while (done < count) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const long added = ResidentKiB() - before;
  release = true;
  for (std::thread& thread : threads) thread.join();

  Print("first Validate, threads one at a time:", alone);
  Print("first Validate, threads all at once:", together);
  std::printf("%d threads add %ld KiB resident (%.1f KiB a thread)\n", count, added,
              static_cast<double>(added) / count);
  return 0;
}
