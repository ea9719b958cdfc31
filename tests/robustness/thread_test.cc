// Threads with objects and bank indexes of their own, validating and
// searching at the same time: each thread's answers equal a lone run's.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "quandor/banking.h"
#include "quandor/creditcard.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

// One bank per method number 0 to 99 (bank code 100000NN), and the bank of
// the legacy account methods.
std::string EveryMethodBankFile() {
  std::string text;
  for (int method = 0; method < 100; ++method) {
    char line[80];
    std::snprintf(line, sizeof line, "100000%02d;Bank %02d;Stadt %02d;Bank %02d;%02d\r\n", method,
                  method, method % 7, method, method);
    text += line;
  }
  return text + "10020030;Altbank;Altstadt;Altbank;52\r\n";
}

struct Request {
  std::string blz;
  std::string account;
};

std::vector<Request> Requests() {
  std::vector<Request> requests;
  unsigned state = 12345;
  for (int i = 0; i < 2000; ++i) {
    state = state * 1103515245u + 12345u;
    char blz[16];
    std::snprintf(blz, sizeof blz, "100000%02u", (state >> 8) % 101);
    std::string account = std::to_string(state % 10000000000ull);
    requests.push_back({blz, account});
  }
  return requests;
}

// Everything one run observes, as one text to compare.
std::string RunOnce(const std::vector<Request>& requests) {
  Banking banking;
  Creditcard card;
  std::string seen;
  for (std::size_t i = 0; i < requests.size(); ++i) {
    banking.Strictness(static_cast<int32_t>(i % 4));
    bool valid = banking.Validate(requests[i].blz, requests[i].account);
    seen += std::to_string(valid) + ':' + std::to_string(banking.LastError()) + ':' +
            std::to_string(banking.UsedTestingMethod()) + ':' + banking.BankName() + ';';
    card.Validate(static_cast<int32_t>(i % 6), requests[i].account);
    seen += std::to_string(card.LastError()) + card.CardNumber() + ';';
  }
  const std::string texts[] = {"Stadt 3", "bank 4", "1000001"};
  for (int option : {0, 2, 4, 1, 6}) {
    for (const std::string& text : texts) {
      if (!banking.SearchBankByText(text, option)) {
        seen += "none;";
        continue;
      }
      do seen += banking.BankNumber() + ',';
      while (banking.NextFoundBank());
      seen += ';';
    }
  }
  return seen;
}

TEST(Threads, EachThreadAnswersAsALoneRunWould) {
  testing::BankFileDir dir(EveryMethodBankFile());
  const std::vector<Request> requests = Requests();
  std::string expected;
  testing::InFreshThread([&] { expected = RunOnce(requests); });

  constexpr int kThreads = 4;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  std::atomic<int> mismatches{0};
  std::atomic<int> runs{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      do {
        if (RunOnce(requests) != expected) ++mismatches;
        ++runs;
      } while (std::chrono::steady_clock::now() < until);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_GE(runs.load(), kThreads);
}

TEST(Threads, EachThreadFollowsTheChangedFile) {
  // A thread that loaded its index before the file grew builds it again,
  // as a thread started after the change loads the grown file.
  testing::BankFileDir dir({"10000000;Erste;A;Erste;09"});
  std::atomic<int> phase{0};
  std::thread first([&] {
    Banking banking;
    phase = 1;
    while (phase != 2) std::this_thread::yield();
    EXPECT_TRUE(banking.Validate("10000000", "1"));
    EXPECT_TRUE(banking.Validate("20000000", "1"));
  });
  while (phase != 1) std::this_thread::yield();
  std::thread second([&] {
    dir.Replace(
        testing::BankFileText({"10000000;Erste;A;Erste;09", "20000000;Zweite;B;Zweite;09"}));
    Banking banking;
    EXPECT_TRUE(banking.Validate("20000000", "1"));
    phase = 2;
  });
  second.join();
  first.join();
}

}  // namespace
}  // namespace quandor
